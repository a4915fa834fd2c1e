// What the main window does at start when no usable keyboard is open.
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <cerrno>
#include <functional>

#include "AppTestSupport.h"
#include "app/DeviceBackends.h"
#include "app/WindowProperty.h"
#include "emulator/EmulatedBackend.h"

namespace {

using apptest::AppTest;
using namespace SOUI;

// A system where the keyboard is listed but the user may not open it.
class NoAccessBackend : public HidBackend {
public:
    std::vector<std::string> Enumerate() override { return emulated_.Enumerate(); }
    HidHandle Open(const std::string&, HidAccess) override {
        if (!refusal.Empty()) NoteFailure(refusal);
        return kInvalidHidHandle;
    }
    bool SetFeature(HidHandle, const std::uint8_t*, std::size_t) override { return false; }
    bool GetFeature(HidHandle, std::uint8_t*, std::size_t) override { return false; }
    bool Close(HidHandle) override { return false; }
    std::unique_ptr<HidMonitor> Monitor() override { return nullptr; }

    HidFailure refusal;

private:
    EmulatedBackend emulated_;
};

class Presence : public AppTest {
protected:
    // A stand-in for the upgrade program that notes its start and its end, under `name` in
    // the program folder of a portable copy (one with "uires" beside it).
    void InstallUpgradeProgram(const QString& name = "keylume-firmware-upgrade") {
        const QString script = QStringLiteral(
                                   "#!/bin/sh\necho started > '%1'\nsleep 0.3\n"
                                   "echo finished >> '%1'\n")
                                   .arg(MarkerPath());
        ASSERT_TRUE(QDir(programFolder.path()).mkpath("uires"));
        QFile file(QDir(programFolder.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
    }
    QString MarkerPath() const { return QDir(programFolder.path()).filePath("upgrade.log"); }
    QString Marker() const {
        QFile file(MarkerPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

// Every keyboard that cannot be used asks one question in a warning and ends the window.
TEST_F(Presence, AKeyboardThatCannotBeUsedIsToldInOneWarningAndEndsTheWindow) {
    struct Row {
        const char* name;
        std::function<std::shared_ptr<HidBackend>()> backend;
        int answer;
        QString text;  // the whole text, or a part of it when `partOfText`
        bool partOfText;
        bool cancelShown;
    };
    const auto oldFirmware1512 = [] {
        auto backend = std::make_shared<EmulatedBackend>();
        backend->UnplugKeyboard();
        backend->PlugOldFirmware(0x1512);
        return std::shared_ptr<HidBackend>(backend);
    };
    const QString update = QStringLiteral("Please update to the latest firmware to use");
    const Row rows[] = {
        {"no keyboard", [] { return MakeHidBackend(Emulation::Absent, {}); }, IDOK,
         QStringLiteral("Please insert USB device"), false, false},
        {"listed without access", [] { return std::make_shared<NoAccessBackend>(); }, IDOK,
         QStringLiteral("udev rule"), true, false},
        {"old firmware, upgrade cancelled",
         [] { return MakeHidBackend(Emulation::OldFirmware, {}); }, IDCANCEL, update, false, true},
        {"second old product id", oldFirmware1512, IDCANCEL, update, false, true},
    };
    InstallUpgradeProgram();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        boxes.clear();
        AnswerBoxesWith(row.answer);
        auto window = StartMainWindow(row.backend());
        ASSERT_EQ(boxes.size(), 1u);
        if (row.partOfText)
            EXPECT_TRUE(boxes[0].text.contains(row.text)) << boxes[0].text.toStdString();
        else
            EXPECT_EQ(boxes[0].text, row.text);
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning"));
        EXPECT_EQ(boxes[0].cancelShown, row.cancelShown);
        EXPECT_FALSE(window->IsWindow());
        // A cancelled upgrade never starts the upgrade program.
        EXPECT_TRUE(Marker().isEmpty());
    }
}

TEST_F(Presence, TheSystemsReasonReachesTheMessage) {
    struct Case {
        HidFailure refusal;
        std::string shown;
    };
    const Case cases[] = {
        {HidFailure::FromErrno(EACCES), "cannot be opened: Permission denied (errno 13)."},
        {HidFailure::FromErrno(EBUSY), "cannot be opened: Device or resource busy (errno 16)."},
        {{0, "hid_open_path: no such node"}, "cannot be opened: hid_open_path: no such node."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        boxes.clear();
        AnswerBoxesWith(IDOK);
        auto backend = std::make_shared<NoAccessBackend>();
        backend->refusal = c.refusal;
        auto window = StartMainWindow(backend);
        ASSERT_EQ(boxes.size(), 1u);
        const std::string text = boxes[0].text.toStdString();
        EXPECT_NE(text.find(c.shown), std::string::npos) << text;
        EXPECT_NE(text.find("60-keylume.rules"), std::string::npos) << text;
        EXPECT_FALSE(window->IsWindow());
    }
}

TEST_F(Presence, OldFirmwareOkRunsTheUpgradeToItsEndThenEnds) {
    InstallUpgradeProgram();
    AnswerBoxesWith(IDOK);
    auto window = StartMainWindow(MakeHidBackend(Emulation::OldFirmware, {}));
    ASSERT_EQ(boxes.size(), 1u);
    // The window waited for the program: its last line is there when initialisation returns.
    EXPECT_EQ(Marker(), QStringLiteral("started\nfinished\n"));
    EXPECT_FALSE(window->IsWindow());
    EXPECT_EQ(window->ExitCode(), 0);
}

TEST_F(Presence, MissingUpgradeProgramIsToldAndEndsWithAnError) {
    // A program of a generic name in the folder is not the upgrade program.
    InstallUpgradeProgram("update");
    AnswerBoxesWith(IDOK);
    auto window = StartMainWindow(MakeHidBackend(Emulation::OldFirmware, {}));
    ASSERT_EQ(boxes.size(), 2u);
    // Where there is no tray, a message box says where the program was looked for.
    EXPECT_TRUE(boxes[1].text.startsWith("Failed to start the upgrade exe"));
    EXPECT_TRUE(
        boxes[1].text.endsWith(QDir(programFolder.path()).filePath("keylume-firmware-upgrade")))
        << boxes[1].text.toStdString();
    EXPECT_FALSE(window->IsWindow());
    EXPECT_EQ(window->ExitCode(), 1);
    EXPECT_TRUE(Marker().isEmpty());
}

TEST_F(Presence, WorkingKeyboardOpensWithoutAnyQuestion) {
    AnswerBoxesWith(IDOK);
    auto window = StartMainWindow(MakeHidBackend(Emulation::Keyboard, {}));
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(window->IsWindow());
    EXPECT_TRUE(window->KeyboardOpen());
    // The window carries the instance mark from its initialisation to its destruction.
    EXPECT_TRUE(HasWindowProperty(window->GetHostHwnd(), QStringLiteral("keylume.instance")));
    const HWND hwnd = window->GetHostHwnd();
    window->DestroyWindow();
    EXPECT_FALSE(HasWindowProperty(hwnd, QStringLiteral("keylume.instance")));
}

}  // namespace

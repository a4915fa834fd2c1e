// "keylume diagnose" on the emulated setups and on this machine.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/DiagnoseCommand.h"

namespace {

struct CommandRun {
    int status = -1;
    std::string text;
};

CommandRun Diagnose(Emulation emulation, bool json) {
    std::ostringstream out;
    testing::internal::CaptureStdout();
    CommandRun run{RunDiagnoseCommand(out, json, emulation), out.str()};
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "only the report is written";
    return run;
}

QJsonObject Parsed(const std::string& text) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    EXPECT_TRUE(document.isObject());
    return document.object();
}

TEST(DiagnoseCommand, EachEmulatedSetupGetsItsVerdictInBothForms) {
    struct Case {
        Emulation emulation;
        int status;
        const char* verdict;
        const char* humanVerdict;
    };
    const Case cases[] = {
        {Emulation::Keyboard, 0, "all-well", "Verdict: The emulated keyboard on"},
        {Emulation::Absent, 1, "no-keyboard", "Verdict: No keyboard is connected."},
        {Emulation::OldFirmware, 1, "old-firmware",
         "Verdict: A keyboard with firmware too old for Keylume is connected (product 1511)."},
    };
    for (const Case& c : cases) {
        const CommandRun human = Diagnose(c.emulation, false);
        EXPECT_EQ(human.status, c.status) << c.verdict;
        EXPECT_NE(human.text.find("Emulated keyboard"), std::string::npos) << human.text;
        EXPECT_NE(human.text.find(c.humanVerdict), std::string::npos) << human.text;
        EXPECT_NE(human.text.find("\nFix: "), std::string::npos) << human.text;

        const CommandRun json = Diagnose(c.emulation, true);
        EXPECT_EQ(json.status, c.status);
        const QJsonObject report = Parsed(json.text);
        EXPECT_EQ(report["verdict"].toString().toStdString(), c.verdict);
        EXPECT_EQ(report["exitCode"].toInt(), c.status);
        EXPECT_TRUE(report["emulated"].toBool());
    }
}

TEST(DiagnoseCommand, WorkingEmulatedKeyboardShowsItsInformationReport) {
    const QJsonObject report = Parsed(Diagnose(Emulation::Keyboard, true).text);
    const QJsonObject info = report["information"].toObject();
    EXPECT_TRUE(info["ok"].toBool());
    EXPECT_EQ(info["bytes"].toString().size(), 90 * 3 - 1);
    EXPECT_GT(info["profiles"].toInt(), 0);
    const QJsonArray interfaces = report["interfaces"].toArray();
    ASSERT_EQ(interfaces.size(), 3);
    EXPECT_EQ(interfaces[2].toObject()["interface"].toInt(), 3);
    EXPECT_EQ(interfaces[2].toObject()["product"].toString(), QStringLiteral("keyboard"));
}

bool SysfsListsTheVendor() {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it("/sys/class/hidraw", error), end; !error && it != end;
         it.increment(error)) {
        std::ifstream uevent(it->path() / "device" / "uevent");
        for (std::string line; std::getline(uevent, line);)
            if (line.find(":00001A2C:") != std::string::npos) return true;
    }
    return false;
}

TEST(DiagnoseCommand, RealSystemWithoutTheKeyboardSaysSo) {
    if (SysfsListsTheVendor()) GTEST_SKIP() << "a device of the keyboard's vendor is plugged in";
    const CommandRun human = Diagnose(Emulation::None, false);
    EXPECT_EQ(human.status, 1);
    EXPECT_NE(human.text.find("HID interfaces of vendor 1a2c: none"), std::string::npos)
        << human.text;
    EXPECT_NE(human.text.find("searched: /etc/udev/rules.d"), std::string::npos) << human.text;
    EXPECT_NE(human.text.find("Verdict: No keyboard is connected."), std::string::npos);
    const QJsonObject report = Parsed(Diagnose(Emulation::None, true).text);
    EXPECT_FALSE(report["emulated"].toBool());
    EXPECT_EQ(report["verdict"].toString(), QStringLiteral("no-keyboard"));
    EXPECT_TRUE(report["interfaces"].toArray().isEmpty());
    EXPECT_EQ(report["rules"].toObject()["searched"].toArray().size(), 5);
}

}  // namespace

// The built program as a user starts it: from any folder, once per user, with a picture.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include "AppTestSupport.h"
#include "app/SingleInstance.h"
#include "emulator/EmulatedBackend.h"

namespace {

using apptest::AppTest;
using apptest::WaitUntil;
using namespace SOUI;

constexpr int kRunTimeoutMs = 30000;

// Every run gets its own config folder and its own folder for the instance socket and lock, so
// runs of other tests never meet it.
class ProgramRun {
public:
    ProgramRun() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", folder.path());
        env.insert("TMPDIR", folder.path());
        env.insert("XDG_RUNTIME_DIR", folder.path());
        process.setProcessEnvironment(env);
        process.setProgram(QStringLiteral(KEYLUME_EXECUTABLE));
    }
    // Runs to the end; false on time-out.
    bool Run(const QStringList& arguments, const QString& workingFolder = QString()) {
        process.setArguments(arguments);
        if (!workingFolder.isEmpty()) process.setWorkingDirectory(workingFolder);
        process.start();
        return process.waitForFinished(kRunTimeoutMs);
    }
    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    QProcess process;
};

TEST(Program, ScreenshotFromAnotherFolderFindsTheUiAndWritesAPng) {
    ProgramRun run;
    QTemporaryDir elsewhere;
    const QString shot = run.Path("shot.png");
    ASSERT_TRUE(run.Run({"--emulate", "--screenshot", shot}, elsewhere.path()))
        << run.process.readAllStandardError().toStdString();
    EXPECT_EQ(run.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.process.exitCode(), 0) << run.process.readAllStandardError().toStdString();
    QImage picture(shot, "PNG");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(1180, 720));
    // A skinned, dark window and not an empty picture: the title bar uses the case colour.
    EXPECT_EQ(picture.pixelColor(600, 2).name(), QStringLiteral("#16181d"));
    // The emulated keyboard keeps its settings in the user's config folder.
    EXPECT_TRUE(QFileInfo::exists(run.Path("keylume/emulated-keyboard.state")));
}

TEST(Program, ScreenshotWithoutKeyboardEndsWithoutAPicture) {
    ProgramRun run;
    const QString shot = run.Path("shot.png");
    ASSERT_TRUE(run.Run({"--emulate=absent", "--screenshot", shot}));
    EXPECT_NE(run.process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(shot));
}

TEST(Program, MissingUserInterfaceFilesAreReportedAndEndTheRun) {
    ProgramRun run;
    // A copy with neither "uires" beside it nor an install prefix's data folder.
    QDir(run.folder.path()).mkpath(QStringLiteral("bin"));
    const QString copy = run.Path("bin/keylume");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KEYLUME_EXECUTABLE), copy));
    run.process.setProgram(copy);
    const QString shot = run.Path("shot.png");
    ASSERT_TRUE(run.Run({"--emulate", "--screenshot", shot}));
    EXPECT_EQ(run.process.exitCode(), 1);
    EXPECT_TRUE(run.process.readAllStandardError().contains("user interface files are missing"));
    EXPECT_FALSE(QFileInfo::exists(shot));
}

TEST(Program, HelpAndVersionNeedNoDisplay) {
    ProgramRun run;
    QProcessEnvironment env = run.process.processEnvironment();
    env.insert("QT_QPA_PLATFORM", "no-such-platform");
    run.process.setProcessEnvironment(env);
    ASSERT_TRUE(run.Run({"--version"}));
    EXPECT_EQ(run.process.exitCode(), 0);
    EXPECT_TRUE(run.process.readAllStandardOutput().startsWith("keylume "));
    ASSERT_TRUE(run.Run({"--help"}));
    EXPECT_EQ(run.process.exitCode(), 0);
    EXPECT_TRUE(run.process.readAllStandardOutput().contains("--emulate"));
    ASSERT_TRUE(run.Run({"--emulate=nonsense"}));
    EXPECT_EQ(run.process.exitCode(), 2);
}

// This process plays the first instance; the built program is started as the second.
class SecondStart : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", run.folder.path().toUtf8());
        runtimeFolder = std::make_unique<apptest::ScopedVariable>(
            "XDG_RUNTIME_DIR", run.folder.path().toUtf8().constData());
        instance = std::make_unique<SingleInstance>(app->GetString(1));
        ASSERT_TRUE(instance->Acquire());
        AnswerBoxesWith(IDOK);
        window = StartMainWindow(std::make_shared<EmulatedBackend>());
        ASSERT_TRUE(window->IsWindow());
    }
    void TearDown() override {
        window.reset();
        instance.reset();
        runtimeFolder.reset();
        if (savedTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
        AppTest::TearDown();
    }
    // Starts the program and keeps this instance's loop running until it ends.
    int StartSecond() {
        run.process.setArguments({"--emulate"});
        run.process.start();
        EXPECT_TRUE(
            WaitUntil([&] { return run.process.state() == QProcess::NotRunning; }, kRunTimeoutMs));
        apptest::ProcessEvents();
        return run.process.exitCode();
    }

    ProgramRun run;
    QByteArray savedTmp;
    std::unique_ptr<apptest::ScopedVariable> runtimeFolder;
    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<CMainDlg> window;
};

TEST_F(SecondStart, ShowsTheHiddenFirstWindowAndExitsWithZero) {
    // As minimising leaves it where a tray icon stands for it.
    window->ShowWindow(SW_HIDE);
    ASSERT_FALSE(window->IsVisible());
    EXPECT_EQ(StartSecond(), 0);
    EXPECT_TRUE(WaitUntil([&] { return window->IsVisible(); }));
}

TEST_F(SecondStart, RestoresTheMinimisedFirstWindow) {
    window->ShowWindow(SW_SHOWMINIMIZED);
    EXPECT_EQ(StartSecond(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !window->IsIconic() && window->IsVisible(); }));
}

TEST_F(SecondStart, FindsNoWindowOnceTheFirstIsGoneAndStillExitsWithZero) {
    window->DestroyWindow();
    EXPECT_EQ(StartSecond(), 0);
}

TEST(SingleInstanceSocket, NameIsPerUserAndALeftoverSocketIsTakenOver) {
    QTemporaryDir folder;
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", folder.path().toUtf8());
    apptest::ScopedVariable runtimeFolder("XDG_RUNTIME_DIR", folder.path().toUtf8().constData());
    apptest::EnsureQApp();
    EXPECT_TRUE(SingleInstance::SocketNameFor("x").startsWith("x-"));
    EXPECT_FALSE(SingleInstance::AskRunningInstance(SingleInstance::SocketPathFor("x")));
    {
        SingleInstance first(QStringLiteral("x"));
        ASSERT_TRUE(first.Acquire());
        EXPECT_TRUE(first.IsFirst());
        SingleInstance second(QStringLiteral("x"));
        EXPECT_FALSE(second.Acquire());
        EXPECT_FALSE(second.IsFirst());
    }
    // A file left where the socket was (a crashed instance) does not block the next start.
    QFile leftover(SingleInstance::SocketPathFor("x"));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    SingleInstance next(QStringLiteral("x"));
    EXPECT_TRUE(next.Acquire());
    EXPECT_TRUE(next.IsFirst());
    if (savedTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp);
}

}  // namespace

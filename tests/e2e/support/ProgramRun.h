#pragma once
// One run of the real program on a scenario's desktop, from a program folder of its own (a
// copy of the build tree's: the executable beside links to its data) with its own home and
// config folder, so scenarios never share "macro.xml" or the emulated keyboard.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <filesystem>
#include <memory>

namespace e2e {

class Session;

class ProgramRun {
public:
    // `folder` is emptied and filled; nothing is started yet.
    ProgramRun(const Session& session, std::filesystem::path folder);
    // The build tree installed into `folder`/prefix, as a package puts it: the installed
    // program runs instead of the build tree's. False with `error` when the install failed.
    bool Install(std::string& error);
    ~ProgramRun();

    // Qt's scale for the program's windows (QT_SCALE_FACTOR); 2 shows them as a screen of
    // twice the density does. Takes effect at the next start.
    void SetScale(int factor) { scale_ = factor; }
    // Starts the program with these arguments (after "--emulate" unless given).
    void Start(const QStringList& arguments = {"--emulate"});
    // Runs `keylume ARGUMENTS` beside the program, as its user would; the exit code, -1 when it
    // crashed or did not end. What it printed joins Output(), so a failure shows why.
    int Command(const QStringList& arguments);
    // Asks the program to end as a window manager would (its process gets SIGTERM), then waits.
    int Stop();
    bool Running() const;
    // Standard output and error so far.
    QString Output();
    // What the program is started with: its executable and its environment.
    std::filesystem::path executable() const;
    QProcessEnvironment Environment() const;

    std::filesystem::path programFolder() const { return folder_ / "program"; }
    std::filesystem::path configFolder() const { return folder_ / "config"; }
    std::filesystem::path runtimeFolder() const { return folder_ / "run"; }
    // Where the program reads its data: its own folder in the build tree, share/keylume
    // installed.
    std::filesystem::path dataFolder() const {
        return installed_ ? folder_ / "prefix" / "share" / "keylume" : programFolder();
    }
    std::filesystem::path macroFile() const {
        return installed_ ? configFolder() / "keylume" / "macro.xml"
                          : programFolder() / "macro.xml";
    }
    std::filesystem::path keyboardStateFile() const {
        return configFolder() / "keylume" / "emulated-keyboard.state";
    }

private:
    const Session& session_;

    std::filesystem::path folder_;
    bool installed_ = false;
    int scale_ = 1;
    std::unique_ptr<QProcess> process_;
    QString output_;
};

}  // namespace e2e

#include "ProgramRun.h"

#include "Session.h"
#include "support/ProgramCopy.h"

namespace fs = std::filesystem;

namespace e2e {

ProgramRun::ProgramRun(const Session& session, fs::path folder)
    : session_(session), folder_(std::move(folder)) {
    fs::remove_all(folder_);
    fs::create_directories(programFolder());
    fs::create_directories(configFolder());
    fs::create_directories(folder_ / "home");
    fs::create_directories(runtimeFolder());
    fs::permissions(runtimeFolder(), fs::perms::owner_all, fs::perm_options::replace);
    testsupport::CopyProgram(KEYLUME_EXE, programFolder());
}

bool ProgramRun::Install(std::string& error) {
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(KEYLUME_CMAKE, {"--install", KEYLUME_BUILD_DIR, "--prefix",
                                  QString::fromStdString((folder_ / "prefix").string())});
    if (!install.waitForFinished(120000) || install.exitCode() != 0) {
        error = install.readAll().toStdString();
        return false;
    }
    installed_ = true;
    return true;
}

fs::path ProgramRun::executable() const {
    return installed_ ? folder_ / "prefix" / "bin" / "keylume"
                      : programFolder() / fs::path(KEYLUME_EXE).filename();
}

ProgramRun::~ProgramRun() {
    if (Running()) Stop();
}

QProcessEnvironment ProgramRun::Environment() const {
    auto env = session_.Environment(QProcessEnvironment::systemEnvironment());
    env.insert("HOME", QString::fromStdString((folder_ / "home").string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(configFolder().string()));
    // The single-instance socket and lock live in the runtime and temporary folders: each
    // scenario has its own, so parallel scenarios do not meet each other's program.
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtimeFolder().string()));
    env.insert("TMPDIR", QString::fromStdString(runtimeFolder().string()));
    // The accessibility tree is how the scenarios find the controls.
    env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    env.insert("QT_ACCESSIBILITY", "1");
    // The scenarios read the English texts, whatever language the desktop running them has.
    env.remove("LANGUAGE");
    env.insert("LC_ALL", "C.UTF-8");
    if (scale_ != 1) env.insert("QT_SCALE_FACTOR", QString::number(scale_));
    return env;
}

void ProgramRun::Start(const QStringList& arguments) {
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(Environment());
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setWorkingDirectory(QString::fromStdString((folder_ / "home").string()));
    process_->start(QString::fromStdString(executable().string()), arguments);
    process_->waitForStarted(10000);
}

int ProgramRun::Command(const QStringList& arguments) {
    QProcess command;
    command.setProcessEnvironment(Environment());
    command.setProcessChannelMode(QProcess::MergedChannels);
    command.start(QString::fromStdString(executable().string()), arguments);
    const bool ended = command.waitForFinished(20000);
    Output();
    output_ +=
        "$ keylume " + arguments.join(' ') + "\n" + QString::fromLocal8Bit(command.readAll());
    if (!ended) return -1;
    return command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
}

int ProgramRun::Stop() {
    if (!process_) return -1;
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(10000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
    Output();
    return process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
}

bool ProgramRun::Running() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

QString ProgramRun::Output() {
    if (process_) output_ += QString::fromLocal8Bit(process_->readAll());
    return output_;
}

}  // namespace e2e

#include "app/UpgradeProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "persist/AppPaths.h"

QString UpgradeProgramPath(const QString& programFolder) {
    const std::filesystem::path folder = AppPaths::HelperFolder(programFolder.toStdString());
    return QString::fromStdString((folder / "keylume-firmware-upgrade").string());
}

bool RunUpgradeProgram(const QString& path) {
    const QFileInfo program(path);
    if (!program.isAbsolute() || !program.isFile() || !program.isExecutable()) return false;
    QProcess process;
    process.setProgram(program.absoluteFilePath());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(-1)) return false;
    process.waitForFinished(-1);
    return true;
}

#include "app/UpgradeProgram.h"

#include <QDir>
#include <QProcess>

QString UpgradeProgramPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("update"));
}

bool RunUpgradeProgram(const QString& path) {
    QProcess process;
    process.setProgram(path);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(-1)) return false;
    process.waitForFinished(-1);
    return true;
}

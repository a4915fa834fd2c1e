#pragma once
// The helper programs a scenario's session runs (an X server, a compositor, a bus): reading the
// line one writes on start-up, and ending them all, the last started first.
#include <QProcess>
#include <QString>
#include <memory>
#include <vector>

#include "Wait.h"

namespace e2e {

// The first line a helper writes (a display number, a bus address); empty when none came.
inline QString FirstLine(QProcess& process) {
    QByteArray line;
    WaitUntil([&] {
        process.waitForReadyRead(50);
        line += process.readAllStandardOutput();
        return line.contains('\n') || process.state() == QProcess::NotRunning;
    });
    return QString::fromUtf8(line.left(line.indexOf('\n'))).trimmed();
}

// What runs on a server goes before the server it talks to.
inline void EndAll(std::vector<std::unique_ptr<QProcess>>& processes) {
    for (auto it = processes.rbegin(); it != processes.rend(); ++it) {
        (*it)->terminate();
        if (!(*it)->waitForFinished(3000)) {
            (*it)->kill();
            (*it)->waitForFinished(3000);
        }
    }
}

}  // namespace e2e

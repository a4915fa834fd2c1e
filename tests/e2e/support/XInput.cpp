#include "XInput.h"

#include "Desktop.h"

namespace e2e {

void XInput::Run(const QStringList& arguments) {
    RunOn(desktop_, "xdotool", arguments);
}

QPoint XInput::Pointer() {
    // "X=12\nY=34\nSCREEN=0\nWINDOW=..."
    const QString shell =
        QString::fromUtf8(RunOn(desktop_, "xdotool", {"getmouselocation", "--shell"}));
    QPoint p(-1, -1);
    for (const QString& line : shell.split('\n')) {
        if (line.startsWith("X=")) p.setX(line.mid(2).toInt());
        if (line.startsWith("Y=")) p.setY(line.mid(2).toInt());
    }
    return p;
}

void XInput::MoveTo(QPoint p) {
    // --sync waits for the pointer to move, which it never does when it is there already.
    if (Pointer() == p) return;
    Run({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
}

void XInput::Click(QPoint p, int button) {
    MoveTo(p);
    Run({"click", QString::number(button)});
}

void XInput::DoubleClick(QPoint p) {
    MoveTo(p);
    Run({"click", "--repeat", "2", "--delay", "80", "1"});
}

void XInput::Drag(QPoint from, QPoint to, int button) {
    MoveTo(from);
    Run({"mousedown", QString::number(button)});
    constexpr int kSteps = 6;
    for (int i = 1; i <= kSteps; ++i) MoveTo(from + (to - from) * i / kSteps);
    Run({"mouseup", QString::number(button)});
}

void XInput::Key(const QString& keys) {
    Run({"key", "--delay", "40", keys});
}

void XInput::Type(const QString& text) {
    Run({"type", "--delay", "40", text});
}

}  // namespace e2e

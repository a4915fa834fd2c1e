#pragma once
// Input as a person gives it: through the X server (xdotool), to whatever window is under the
// pointer or has the focus.
#include <QPoint>
#include <QString>

namespace e2e {

class Desktop;

class XInput {
public:
    explicit XInput(const Desktop& desktop) : desktop_(desktop) {}

    void MoveTo(QPoint p);
    void Click(QPoint p, int button = 1);
    void DoubleClick(QPoint p);
    // Press at `from`, move in steps, release at `to`.
    void Drag(QPoint from, QPoint to, int button = 1);
    // Key names as xdotool knows them ("Return", "Escape", "a", "ctrl+v").
    void Key(const QString& keys);
    void Type(const QString& text);

    // Where the pointer is.
    QPoint Pointer();

private:
    void Run(const QStringList& arguments);
    const Desktop& desktop_;
};

}  // namespace e2e

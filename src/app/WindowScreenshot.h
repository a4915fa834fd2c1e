#pragma once
// Saves a host window as a PNG picture once the keyboard has been read, then closes it.
#include <QObject>
#include <QString>
#include <QTimer>

#include "ui/WinDefs.h"

class CMainDlg;

class WindowScreenshot : public QObject {
public:
    WindowScreenshot(CMainDlg& window, QString file);
    bool Saved() const { return m_saved; }

private:
    // The connection read runs on the store's dispatcher: it is over when the dispatcher is
    // idle with the keyboard open. Its last changes may still wait in the window's queue, so
    // the picture is taken after them.
    void Poll();
    void Take();

    CMainDlg& m_window;
    QString m_file;
    QTimer m_poll;
    bool m_saved = false;
};

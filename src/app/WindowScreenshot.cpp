#include "app/WindowScreenshot.h"

#include <QPixmap>
#include <chrono>
#include <cstdio>

#include "app/MainDlg.h"
#include "store/ShapeDispatcher.h"

namespace {
constexpr int kPollMs = 20;
}

WindowScreenshot::WindowScreenshot(CMainDlg& window, QString file)
    : m_window(window), m_file(std::move(file)) {
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] { Poll(); });
    m_poll.start();
}

void WindowScreenshot::Poll() {
    if (!m_window.IsWindow()) {
        m_poll.stop();
        return;
    }
    if (!m_window.KeyboardOpen() || !ShapeDispatcher::waitIdle(std::chrono::milliseconds(0)))
        return;
    m_poll.stop();
    QTimer::singleShot(0, this, [this] { Take(); });
}

void WindowScreenshot::Take() {
    // The whole layout, also where a small screen shows only a part of it.
    QWidget* content = m_window.GetRoot();
    if (!content) return;
    m_saved = content->grab().save(m_file, "PNG");
    if (!m_saved) std::fprintf(stderr, "cannot write %s\n", m_file.toLocal8Bit().constData());
    m_window.DestroyWindow();
}

#include "widgets/ShellNotifyIcon.h"

#include <QPixmap>

#include "ui/Application.h"
#include "ui/HostWnd.h"

namespace SOUI {
namespace {

QIcon LoadIcon(const QString& resName) {
    SApplication* app = SApplication::getSingletonPtr();
    if (!app) return {};
    const QImage image = app->GetResProvider().LoadImage(resName);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace

SShellNotifyIcon::SShellNotifyIcon() {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QObject::connect(&m_animTimer, &QTimer::timeout, [this] { AnimateStep(); });
}

SShellNotifyIcon::~SShellNotifyIcon() {
    m_animTimer.stop();
    if (m_tray) m_tray->hide();
}

bool SShellNotifyIcon::SetAttribute(const QString& name, const QString& value) {
    SApplication* app = SApplication::getSingletonPtr();
    if (name == "ico") {
        m_icons.clear();
        for (const QString& part : value.split(';', Qt::SkipEmptyParts)) {
            QIcon icon = LoadIcon(part.trimmed());
            if (!icon.isNull()) m_icons.push_back(std::move(icon));
        }
    } else if (name == "tip") {
        m_tip = (app ? app->Tr(value) : value).left(kMaxTipLength);
        if (m_tray) m_tray->setToolTip(m_tip);
    } else if (name == "menu") {
        m_menuKind = MenuKindOf(value);
        m_menuName = m_menuKind == MenuKind::None ? QString() : value;
    } else if (name == "deficoidx") {
        ParseInt(value, &m_defIconIndex);
    } else if (name == "startframe") {
        ParseInt(value, &m_startFrame);
    } else if (name == "duration") {
        ParseInt(value, &m_duration);
    } else {
        return SWindow::SetAttribute(name, value);
    }
    return true;
}

void SShellNotifyIcon::OnCreated() {
    if (m_defIconIndex < 0 || m_defIconIndex >= IconCount()) m_defIconIndex = 0;
    ShowIcon(IconCount() > 0 ? m_defIconIndex : -1);
}

void SShellNotifyIcon::Install() {
    if (m_tray) return;
    m_tray = std::make_unique<QSystemTrayIcon>();
    m_tray->setToolTip(m_tip);
    ShowIcon(m_shownIndex);
    QObject::connect(m_tray.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger)
                             OnTrayCallback(WM_LBUTTONDOWN);
                         else if (reason == QSystemTrayIcon::Context)
                             OnTrayCallback(WM_RBUTTONDOWN);
                     });
    LoadMenu();
    if (QSystemTrayIcon::isSystemTrayAvailable()) m_tray->show();
}

void SShellNotifyIcon::LoadMenu() {
    if (m_menuKind == MenuKind::Classic)
        m_menu = std::make_unique<SMenu>();
    else if (m_menuKind == MenuKind::Extended)
        m_menu = std::make_unique<SMenuEx>();
    if (!m_menu || !m_menu->LoadMenu(m_menuName)) {
        m_menu.reset();
        return;
    }
    QObject::connect(m_menu->GetQMenu(), &QMenu::triggered, [this](QAction* action) {
        SHostWnd* host = GetHost();
        const int id = action->data().toInt();
        if (host && id != 0) host->PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    });
    m_tray->setContextMenu(m_menu->GetQMenu());
}

void SShellNotifyIcon::ShowIcon(int index) {
    m_shownIndex = index >= 0 && index < IconCount() ? index : -1;
    if (!m_tray) return;
    m_tray->setIcon(m_shownIndex >= 0 ? m_icons[static_cast<size_t>(m_shownIndex)]
                                      : LoadIcon("ICON:ICON_LOGO"));
}

void SShellNotifyIcon::OnTrayCallback(LPARAM mouseMessage) {
    SHostWnd* host = GetHost();
    if (!host) return;
    LRESULT result = 0;
    if (host->OfferMessage(kCallbackMessage, kIconId, mouseMessage, result)) return;
    if (mouseMessage == WM_LBUTTONDOWN) {
        if (host->IsVisible()) {
            host->ShowWindow(SW_HIDE);
        } else {
            host->ShowWindow(host->IsIconic() ? SW_RESTORE : SW_SHOW);
            host->SetForeground();
        }
    }
    // A right click is the tray's: it opens the menu given to the icon.
}

void SShellNotifyIcon::ShowBalloon(const QString& text, const QString& title, int timeoutMs) {
    if (m_tray && m_tray->isVisible() && QSystemTrayIcon::supportsMessages())
        m_tray->showMessage(title, text, m_tray->icon(), timeoutMs);
}

void SShellNotifyIcon::AnimateStep() {
    if (m_icons.empty()) return;
    if (m_nextFrame >= IconCount()) m_nextFrame = m_startFrame;
    ShowIcon(m_nextFrame);
    ++m_nextFrame;
}

}  // namespace SOUI

#include "app/MainDlg.h"

#include <QGuiApplication>
#include <QTimer>

#include "app/AutostartChoice.h"
#include "app/BindScreens.h"
#include "app/DeviceBroadcast.h"
#include "app/PresenceMessages.h"
#include "app/UpgradeProgram.h"
#include "app/WindowProperty.h"
#include "device/HidDiscovery.h"
#include "device/HidPath.h"
#include "screens/AppRulesDlg.h"
#include "ui/Application.h"
#include "ui/BasicControls.h"
#include "ui/CheckControls.h"
#include "ui/Menu.h"
#include "ui/MessageBox.h"
#include "ui/ShapeMessage.h"
#include "widgets/ShellNotifyIcon.h"

using namespace SOUI;

namespace {

// The balloon about a failed upgrade stays this long before the program ends with it.
constexpr int kUpgradeFailedShownMs = 6000;

// The warning for a keyboard that is listed but does not open, with the system's reason when
// one is known. The template is translated before the reason goes in.
QString CannotOpenText(const HidFailure& reason) {
    if (reason.Empty()) return QString::fromUtf8(kNoPermissionText);
    SApplication* app = SApplication::getSingletonPtr();
    const QString text = QString::fromUtf8(kCannotOpenText);
    return (app ? app->Tr(text) : text).arg(QString::fromStdString(reason.Describe()));
}

}  // namespace

CMainDlg::CMainDlg(QString layoutName, std::shared_ptr<HidBackend> backend)
    : SHostWnd(std::move(layoutName)),
      m_backend(std::move(backend)),
      m_link(m_backend),
      m_panel(BindScreens(*this)) {}

CMainDlg::~CMainDlg() {
    // The logic stops its workers and closes the link before the screens and the link go.
    m_deviceChanges.reset();
    m_logic.reset();
    m_panel.reset();
}

QString CMainDlg::InstanceName() const {
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->GetString(1) : QString();
}

SShellNotifyIcon* CMainDlg::Tray() const {
    return FindChildByID2<SShellNotifyIcon>(kTrayIconId);
}

bool CMainDlg::InTray() const {
    const SShellNotifyIcon* tray = Tray();
    return tray && tray->IsInTray();
}

void CMainDlg::UpdateHideButton() {
    const bool minimiseWorks = QGuiApplication::platformName() == QLatin1String("xcb");
    if (SWindow* hide = FindChildByName2<SImageButton>(QStringLiteral("btn_min")))
        hide->EnableWindow(InTray() || minimiseWorks);
}

QString CMainDlg::ProgramFolder() const {
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->GetAppDir() : QString();
}

bool CMainDlg::KeyboardOpen() const {
    return IsOpenHidHandle(m_link.ReadHandle()) || IsOpenHidHandle(m_link.WriteHandle());
}

LRESULT CMainDlg::OnInitDialog() {
    m_deviceChanges =
        std::make_unique<DeviceChangeNotifier>(m_link.Backend().Monitor(), GetHostHwnd());
    SetWindowProperty(GetHostHwnd(), InstanceName());
    if (SWindow* sync = FindChildByID2<SCheckBox>(kSyncLightId)) {
        sync->Subscribe<EventCmd>(
            [](EventCmd* e) { return e->sender && e->sender->IsClass(SCheckBox::GetClassName()); });
    }
    if (m_panel) m_panel->Init(GetRoot(), GetHostHwnd());
    if (SShellNotifyIcon* tray = Tray()) {
        m_trayWatch = std::make_unique<TrayHostWatch>([this, tray] {
            tray->Install();
            UpdateHideButton();
        });
    }
    UpdateHideButton();
    m_logic = std::make_unique<KeyboardLogic>(&m_link);
    CheckDevicePresence();
    return 0;
}

bool CMainDlg::OpenOldFirmware(DeviceLink& link, int productId) {
    std::lock_guard lock(link.OpenLock());
    const std::vector<std::string> paths = FindHidInterfaces(link.Backend(), &productId, 1);
    return !paths.empty() && link.Open(paths.front()) > 0;
}

bool CMainDlg::KeyboardListedButClosed() const {
    const int productIds[] = {kKeyboardProductId, kOldFirmwareProductIds[0],
                              kOldFirmwareProductIds[1]};
    return !FindHidInterfaces(*m_backend, productIds, 3).empty();
}

void CMainDlg::CheckDevicePresence() {
    if (KeyboardOpen()) return;
    DeviceLink oldFirmware(m_backend);
    bool opened = false;
    for (int productId : kOldFirmwareProductIds) {
        if (OpenOldFirmware(oldFirmware, productId)) {
            opened = true;
            break;
        }
    }
    if (opened) {
        OfferFirmwareUpgrade();
    } else {
        // On Linux a listed keyboard that does not open lacks the access rule, and asking the
        // user to plug it in would send them the wrong way.
        HidFailure reason = m_link.OpenFailure();
        if (reason.Empty()) reason = oldFirmware.OpenFailure();
        const QString text = KeyboardListedButClosed() ? CannotOpenText(reason)
                                                       : QString::fromUtf8(kInsertDeviceText);
        SMessageBox(kNoWindow, text, QString::fromUtf8(kWarningCaption), MB_OK);
        DestroyWindow();
    }
    oldFirmware.Close();
}

void CMainDlg::OfferFirmwareUpgrade() {
    const int answer = SMessageBox(GetHostHwnd(), QString::fromUtf8(kUpdateFirmwareText),
                                   QString::fromUtf8(kWarningCaption), MB_OKCANCEL);
    if (answer == IDOK) {
        ShowWindow(SW_HIDE);
        const QString program = UpgradeProgramPath(ProgramFolder());
        if (!RunUpgradeProgram(program)) {
            m_exitCode = 1;
            TellUpgradeFailed(program);
            return;
        }
        ShowWindow(SW_SHOWNORMAL);
    }
    DestroyWindow();
}

void CMainDlg::TellUpgradeFailed(const QString& program) {
    SApplication* app = SApplication::getSingletonPtr();
    const QString text = QString::fromUtf8(kUpgradeFailedText);
    const QString said = (app ? app->Tr(text) : text) + QStringLiteral(":\n") + program;
    if (SShellNotifyIcon* tray = Tray(); tray && tray->IsInTray()) {
        tray->ShowBalloon(said, QString(), kUpgradeFailedShownMs);
        QTimer::singleShot(kUpgradeFailedShownMs, GetFrame(), [this] { DestroyWindow(); });
        return;
    }
    SMessageBox(kNoWindow, said, QString::fromUtf8(kWarningCaption), MB_OK);
    DestroyWindow();
}

void CMainDlg::OnDeviceChange(WPARAM event, LPARAM lParam) {
    const auto* broadcast = reinterpret_cast<const DeviceBroadcast*>(lParam);
    if (!broadcast || broadcast->deviceType != DBT_DEVTYP_DEVICEINTERFACE || !m_logic) return;
    if (event == DBT_DEVICEARRIVAL) {
        if (!m_logic->OnArrival(broadcast->interfacePath)) CheckDevicePresence();
    } else if (event == DBT_DEVICEREMOVECOMPLETE) {
        if (m_logic->OnRemove(broadcast->interfacePath)) DestroyWindow();
    }
}

void CMainDlg::UseSettingsBackup(KeyboardEndpoint& keyboard) {
    m_backup = std::make_unique<SettingsBackup>(keyboard);
    if (m_panel) m_panel->SetExporter([this](HWND owner) { return m_backup->Export(owner); });
}

void CMainDlg::ShowInBackground() {
    ShowWindow(InTray() ? SW_HIDE : SW_SHOWMINIMIZED);
}

void CMainDlg::ShowMoreMenu() {
    auto* more = FindChildByID2<SImageButton>(kMoreButtonId);
    QWidget* frame = GetFrame();
    if (!more || !frame) return;
    const QRect rect = more->GetWindowRect();
    const QPoint bottomLeft = frame->mapToGlobal(rect.bottomLeft() + QPoint(0, 1));
    SMenuEx menu;
    if (!menu.LoadMenu(QStringLiteral("smenuex:menu_more"))) return;
    for (QAction* action : menu.GetQMenu()->actions())
        if (action->data().toInt() == kCmdStartWithDesktop) action->setChecked(AutostartChosen());
    menu.TrackPopupMenu(0, bottomLeft.x(), bottomLeft.y(), GetHostHwnd());
}

bool CMainDlg::OnCommand(WPARAM wParam) {
    if (HIWORD(wParam) != 0) return true;
    switch (LOWORD(wParam)) {
        case kCmdCheckDevice:
            // Connected, the check would otherwise say nothing at all.
            if (KeyboardOpen())
                SMessageBox(GetHostHwnd(), QString::fromUtf8(kConnectedText),
                            QString::fromUtf8(kCheckDeviceCaption), MB_OK);
            else
                CheckDevicePresence();
            break;
        case kCmdExportSettings:
            if (m_backup) m_backup->Export(GetHostHwnd());
            break;
        case kCmdImportSettings:
            if (m_backup) m_backup->Import(GetHostHwnd());
            break;
        case kCmdEnglish:
        case kCmdChinese:
            if (m_language)
                m_language->Choose(GetHostHwnd(), LOWORD(wParam) == kCmdChinese ? L"cn" : L"en");
            break;
        case kCmdStartWithDesktop:
            ToggleAutostart(GetHostHwnd(), m_autostartEmulation);
            break;
        case kCmdAppRules:
            if (m_rules) AppRulesDlg(*m_rules).DoModal(GetHostHwnd());
            break;
        case kCmdExit:
            PostMessage(WM_CLOSE);
            break;
        default:
            break;
    }
    return true;
}

bool CMainDlg::ProcessWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_INITDIALOG:
            result = OnInitDialog();
            return true;
        case WM_CLOSE:
            DestroyWindow();
            return true;
        case WM_DESTROY:
            RemoveWindowProperty(GetHostHwnd(), InstanceName());
            return false;
        case WM_DEVICECHANGE:
            OnDeviceChange(wParam, lParam);
            return true;
        case UM_SHAPE_CHANGE:
            DeliverShapeChange(lParam);
            return true;
        case WM_COMMAND:
            return OnCommand(wParam);
        default:
            return false;
    }
}

bool CMainDlg::OnEvent(EventArgs* e) {
    if (m_panel && m_panel->OnEvent(e)) return true;
    if (e->GetID() != EventCmd::EventID || e->nameFrom.isEmpty()) return false;
    if (e->nameFrom == QLatin1String("btn_more")) {
        ShowMoreMenu();
    } else if (e->nameFrom == QLatin1String("btn_close")) {
        DestroyWindow();
    } else if (e->nameFrom == QLatin1String("btn_min")) {
        // Hidden, the window comes back only through the tray icon: where the desktop has no
        // tray it is minimised, so the task bar or the window list brings it back.
        ShowInBackground();
    } else if (e->nameFrom == QLatin1String("btn_max")) {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    } else {
        return false;
    }
    return true;
}

#include "MacroTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

#include "screens/KeyboardHook.h"
#include "widgets/ExtensionWidgets.h"

namespace macrotest {

QApplication& EnsureApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "keylume_screens_test";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}

SharedRecords::SharedRecords() {
    request.bind(this, &SharedRecords::OnRequest);
}

SharedRecords::~SharedRecords() {
    ShapeDispatcher::waitIdle();
}

void SharedRecords::OnRequest(int, const macrokey_pack_t* data, uint32_t count, uint32_t, uint32_t,
                              uint32_t, int) {
    std::lock_guard lock(mutex_);
    if (count) requests_.push_back(data[0]);
}

std::vector<macrokey_pack_t> SharedRecords::Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::list<MacroRecordGroup> SharedRecords::GroupsNow() {
    std::lock_guard lock(groups.mutex());
    return groups.data()[0];
}

MacroRecordGroup MakeGroup(int id, const std::wstring& name, int steps) {
    MacroRecordGroup group;
    group.info.current() = MacroRecordGpInfo{id, 1, name};
    for (int i = 0; i < steps; ++i)
        group.items.data()[0].push_back(MacroRecordGpItem{0x1E, i % 2, 10 * i, L"A"});
    return group;
}

void MacroEditorTest::SetUp() {
    EnsureApplication();
    app = std::make_unique<SOUI::SApplication>();
    app->SetNameIdTable(SOUI::ProgramNameIdTable());
    ASSERT_TRUE(app->InitResources(QStringLiteral(KEYLUME_SOURCE_UIRES)));
    SOUI::RegisterExtensionWidgets(app->Factory());
    shared = std::make_unique<SharedRecords>();
    key.index = 7;
    key.name = L"K";
}

void MacroEditorTest::TearDown() {
    Close();
    SOUI::SHostDialog::SetModalAnswerer({});
    KeyboardHook::Remove();
    Settle();
    shared.reset();
    Settle();
    app.reset();
}

void MacroEditorTest::Settle() {
    for (int i = 0; i < 6; ++i) {
        ShapeDispatcher::waitIdle();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

MacroRecordDlg& MacroEditorTest::Open() {
    Settle();
    dlg = std::make_unique<MacroRecordDlg>(L"Key K", key);
    dlg->SetClock([this] { return now; });
    // A question the editor asks is answered here, and kept.
    dlg->SetConfirmation([this](SOUI::HWND, const QString& question) {
        questions.push_back(question);
        return confirm;
    });
    dlg->Create();
    dlg->SendMessage(SOUI::WM_INITDIALOG);
    dlg->ShowWindow(SOUI::SW_SHOW);
    // Behind the editor: it hears exactly the events the editor lets through.
    KeyboardHook::AddListener(&probeCalls, [this](int, SOUI::WPARAM&, SOUI::LPARAM&) {
        ++probeCalls;
        return SOUI::LRESULT{0};
    });
    Settle();
    return *dlg;
}

void MacroEditorTest::Close() {
    KeyboardHook::RemoveListener(&probeCalls);
    if (!dlg) return;
    dlg->DestroyWindow();
    Settle();
    dlg.reset();
    Settle();
}

void MacroEditorTest::Click(const char* name) {
    auto* button = Find<SOUI::SButton>(name);
    ASSERT_NE(button, nullptr) << name;
    button->Click();
    Settle();
}

void MacroEditorTest::Check(const char* name) {
    auto* box = dynamic_cast<SOUI::SToggleButton*>(
        dlg->GetRoot()->FindChildByName(QString::fromLatin1(name)));
    ASSERT_NE(box, nullptr) << name;
    box->Click();
    Settle();
}

void MacroEditorTest::SelectPage(int page) {
    auto* tab = dynamic_cast<SOUI::STabCtrl*>(
        dlg->GetRoot()->FindChildByName(QStringLiteral("tab_macro_mode_selection")));
    ASSERT_NE(tab, nullptr);
    tab->SetCurSel(page);
    Settle();
}

void MacroEditorTest::SelectGroupRow(int row) {
    auto* list = Find<SOUI::SListView>("macro_group");
    ASSERT_NE(list, nullptr);
    // As a click: the row becomes current, then the row fires its command.
    list->SetSel(row, true);
    if (SOUI::SWindow* panel = list->GetItemPanel(row)) panel->FireCommand();
    Settle();
}

void MacroEditorTest::SelectStepRow(int row) {
    auto* list = Find<SOUI::SMcListView>("macro_items");
    ASSERT_NE(list, nullptr);
    list->SetSel(row, false);
}

void MacroEditorTest::SetEditText(const char* name, const QString& text) {
    auto* edit = Find<SOUI::SEdit>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->SetWindowText(text);
    Settle();
}

bool MacroEditorTest::Key(bool down, unsigned evdev, bool autoRepeat,
                          Qt::KeyboardModifiers modifiers) {
    QWidget* frame = dlg->GetFrame();
    frame->winId();
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_unknown, modifiers,
                    evdev + 8, 0, 0, QString(), autoRepeat);
    const int before = probeCalls;
    const bool hooked = KeyboardHook::IsInstalled();
    QCoreApplication::sendEvent(frame->windowHandle(), &event);
    Settle();
    return !hooked || probeCalls > before;
}

bool MacroEditorTest::Tap(unsigned evdev) {
    const bool a = Key(true, evdev);
    const bool b = Key(false, evdev);
    return a && b;
}

std::vector<MacroRecordGpItem> MacroEditorTest::WorkSteps() {
    const auto& items = dlg->workItems();
    return items.count
               ? std::vector<MacroRecordGpItem>(items.data()[0].begin(), items.data()[0].end())
               : std::vector<MacroRecordGpItem>{};
}

}  // namespace macrotest

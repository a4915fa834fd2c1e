#include "PanelTestSupport.h"

#include "MacroTestSupport.h"
#include "UserInput.h"
#include "WidgetInput.h"

#include <QApplication>
#include <QDir>

#include "widgets/ExtensionWidgets.h"
#include "widgets/PictureWidgets.h"

namespace paneltest {

namespace {

void RunPosted() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

}  // namespace

void PanelTest::SetUp() {
    macrotest::EnsureApplication();
    // The layouts name the coordinates files below the program folder, beside "uires".
    const QString uires = QStringLiteral(KEYLUME_SOURCE_UIRES);
    app = std::make_unique<SOUI::SApplication>(QFileInfo(uires).absolutePath());
    app->SetNameIdTable(SOUI::ProgramNameIdTable());
    ASSERT_TRUE(app->InitResources(uires));
    SOUI::RegisterExtensionWidgets(app->Factory(), SOUI::PictureWidgetClasses());
    backend = std::make_shared<EmulatedBackend>();
    link = std::make_unique<DeviceLink>(backend);
}

void PanelTest::TearDown() {
    SOUI::SHostDialog::SetModalAnswerer({});
    logic.reset();
    Settle();
    if (host) host->DestroyWindow();
    host.reset();
    link.reset();
    Settle();
    app.reset();
}

void PanelTest::UseLanguage(const char* language) {
    ASSERT_TRUE(app->LoadTranslator(QStringLiteral("translator:") + QString::fromUtf8(language)));
}

void PanelTest::Start() {
    host = std::make_unique<PanelHost>();
    host->Create();
    ASSERT_TRUE(host->IsWindow());
    host->ui.Init(host->GetRoot(), host->GetHostHwnd());
    host->ShowWindow(SOUI::SW_SHOWNORMAL);
    logic = std::make_unique<KeyboardLogic>(link.get());
    Settle();
}

void PanelTest::Settle() {
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
        RunPosted();
    }
}

SOUI::CoordButtonImage* PanelTest::LedKeys() const {
    return Find<SOUI::CoordButtonImage>("cbimg_led_effect");
}

SOUI::CoordButtonImage* PanelTest::MacroKeys() const {
    return Find<SOUI::CoordButtonImage>("cbimg_macro_record");
}

void PanelTest::Choose(const char* combo, int entry) {
    SOUI::SComboBox* box = Find<SOUI::SComboBox>(combo);
    ASSERT_NE(box, nullptr) << combo;
    // A user's choice comes from the Qt control, which notifies the toolkit.
    box->Combo()->setCurrentIndex(entry);
    Settle();
}

void PanelTest::Slide(const char* slider, int position) {
    SOUI::SSliderBar* bar = Find<SOUI::SSliderBar>(slider);
    ASSERT_NE(bar, nullptr) << slider;
    bar->Slider()->setValue(position);
    Settle();
}

void PanelTest::Click(const char* name) {
    SOUI::SWindow* widget = Widget(name);
    ASSERT_NE(widget, nullptr) << name;
    widgetinput::Press(*widget);
    Settle();
}

void PanelTest::PickSwatch(const char* panel, const char* swatch) {
    SOUI::SWindow* box = Widget(panel);
    ASSERT_NE(box, nullptr);
    auto* radio = dynamic_cast<SOUI::SToggleButton*>(box->FindChildByName(swatch));
    ASSERT_NE(radio, nullptr) << swatch;
    radio->Click();
    Settle();
}

void PanelTest::ShowPage(int page) {
    auto* tabs = Find<SOUI::STabCtrl>("tab_main");
    ASSERT_NE(tabs, nullptr);
    tabs->SetCurSel(page);
    Settle();
}

void PanelTest::ClickKey(SOUI::CoordButtonImage* picture, int position) {
    ASSERT_NE(picture, nullptr);
    userinput::ClickKey(*app, *picture, position);
    Settle();
}

bool PanelTest::Shown(const char* name) const {
    SOUI::SWindow* widget = Widget(name);
    return widget && widget->isVisibleTo(host->GetFrame());
}

std::vector<FeaturePacket> PanelTest::SentReports(DeviceCommand command) const {
    std::vector<FeaturePacket> sent;
    for (const ReportRecord& r : backend->Log())
        if (r.direction == ReportRecord::Direction::Set && r.packet.command == command)
            sent.push_back(r.packet);
    return sent;
}

void PanelTest::ForgetReports() const {
    backend->ClearLog();
}

int PanelTest::ModeWithFlags(std::uint16_t flags) const {
    for (int m = 0; m < Keyboard().Shape().modes; ++m)
        if (Keyboard().Mode(m).flags() == flags) return m;
    return -1;
}

void PanelTest::SetModeFlags(int mode, std::uint16_t flags) {
    ASSERT_TRUE(Keyboard().Modify(
        [&](KeyboardState& s) { s.modes.at(static_cast<std::size_t>(mode)).setFlags(flags); }));
}

}  // namespace paneltest

// The main window shows what comes in over the bus: the service made as start-up makes it, and
// the window's own controls checked after a call.
#include "AppTestSupport.h"
#include "bus/KeyboardBusService.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "ops/RefusalWatch.h"
#include "ui/InputControls.h"

namespace {

using apptest::AppTest;
using apptest::WaitUntil;
using namespace SOUI;

class WindowView : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        AnswerBoxesWith(IDOK);
        // Before the window's keyboard logic, as start-up does.
        service = std::make_unique<KeyboardBusService>(
            watch.get(), apptest::UiFolder().toStdString(), QString());
        window = StartMainWindow(watch);
        ASSERT_TRUE(window->IsWindow());
    }
    void TearDown() override {
        service.reset();
        window.reset();
        AppTest::TearDown();
    }
    template <class W>
    W* Widget(const char* name) {
        return window->GetRoot()->FindChildByName2<W>(name);
    }

    std::shared_ptr<EmulatedBackend> backend = std::make_shared<EmulatedBackend>();
    std::shared_ptr<RefusalWatch> watch = std::make_shared<RefusalWatch>(backend);
    std::unique_ptr<KeyboardBusService> service;
    std::unique_ptr<CMainDlg> window;
};

TEST_F(WindowView, ShowsTheModeAndSettingsACallChose) {
    service->Set(
        {{"mode", "Rain"}, {"speed", "11"}, {"brightness", "40"}, {"background-brightness", "90"}});
    auto* modes = Widget<SComboBox>("cmb_mainled_light_mode_normal");
    auto* speed = Widget<SSliderBar>("bar_mainled_speed");
    auto* brightness = Widget<SSliderBar>("bar_mainled_fgbrightness");
    auto* background = Widget<SSliderBar>("bar_mainled_bgbrightness");
    ASSERT_TRUE(modes && speed && brightness && background);
    EXPECT_TRUE(WaitUntil([&] {
        return modes->GetCurSel() == 3 && speed->GetValue() == 11 && brightness->GetValue() == 40 &&
               background->GetValue() == 90;
    })) << modes->GetCurSel()
        << " " << speed->GetValue() << " " << brightness->GetValue();
    EXPECT_EQ(service->ModeName(), "Rain");
    const int profile = backend->Keyboard().ActiveProfile();
    EXPECT_EQ(backend->Keyboard().State().Register(profile, 3).speed(), 11);
}

TEST_F(WindowView, ARefusedCallLeavesTheWindowAsItWas) {
    auto* modes = Widget<SComboBox>("cmb_mainled_light_mode_normal");
    ASSERT_TRUE(modes);
    apptest::ProcessEvents();
    const int shown = modes->GetCurSel();
    backend->ClearLog();
    service->Set({{"mode", "Custom"}, {"speed", "3"}});
    apptest::ProcessEvents();
    EXPECT_EQ(modes->GetCurSel(), shown);
    EXPECT_TRUE(backend->Log().empty());
}

TEST_F(WindowView, SeesWhatTheWindowChanges) {
    auto* modes = Widget<SComboBox>("cmb_mainled_light_mode_normal");
    ASSERT_TRUE(modes);
    // The window has shown the keyboard as read.
    ASSERT_TRUE(WaitUntil([&] { return modes->GetCount() > 1 && service->Connected(); }));
    ASSERT_NE(service->ModeIndex(), 1);
    ASSERT_TRUE(modes->SetCurSel(1, true));
    EXPECT_TRUE(WaitUntil([&] { return service->ModeIndex() == 1; }));
    EXPECT_EQ(service->ModeName(), "Breathing");
}

}  // namespace

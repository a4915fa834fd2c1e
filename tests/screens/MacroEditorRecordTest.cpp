// Recording in the macro editor with synthetic key events.
#include <chrono>
#include <thread>

#include "records/KeyTable.h"
#include "records/SharedShapes.h"
#include "screens/KeyboardHook.h"
#include "support/MacroTestSupport.h"

namespace macrotest {
namespace {

class MacroRecording : public MacroEditorTest {
protected:
    void StartRecording(int dlmode, int period = 0) {
        shared->groups.data()[0].push_back(MakeGroup(0, L"Group 0"));
        shared->params.current() = MacroRecordParam{0, 0, 0, 0, 0, 0, dlmode, period, 0};
        Open();
        Check("chk_macro_record");
        ASSERT_TRUE(KeyboardHook::IsInstalled());
    }
};

TEST_F(MacroRecording, FirstKeyUpIsSwallowedAndHeldKeyRecordedOnce) {
    StartRecording(2);
    EXPECT_FALSE(Key(false, KEY_B));  // left over from before the recording
    EXPECT_TRUE(WorkSteps().empty());
    EXPECT_FALSE(Key(true, KEY_A));
    EXPECT_FALSE(Key(true, KEY_A, true));  // auto-repeat
    EXPECT_FALSE(Key(false, KEY_A, true));
    EXPECT_FALSE(Key(true, KEY_A, true));
    EXPECT_FALSE(Key(false, KEY_A));
    EXPECT_FALSE(Key(true, KEY_RIGHTCTRL));
    const auto steps = WorkSteps();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0], (MacroRecordGpItem{0x1E, 0, 0, L"A"}));
    EXPECT_EQ(steps[1], (MacroRecordGpItem{0x1E, 1, 0, L"A"}));
    EXPECT_EQ(steps[2], (MacroRecordGpItem{0x11D, 0, 0, L"CtrlRight"}));
    // Written back into the group and on to the other holders.
    const auto groups = shared->GroupsNow();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups.front().items.data()[0].size(), 3u);
}

TEST_F(MacroRecording, RealDelaysComeFromTheClock) {
    StartRecording(0);
    now = 5000;
    Key(true, KEY_A);
    now = 5120;
    Key(false, KEY_A);
    now = 5120 + 40000;
    Key(true, KEY_B);
    const auto steps = WorkSteps();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].delay, 120);
    EXPECT_EQ(steps[1].delay, 32767);  // the longest pause the keyboard keeps
    EXPECT_EQ(steps[2].delay, 0);
}

TEST_F(MacroRecording, FirstRealDelayIntoExistingStepsIsTheClockPlusOne) {
    shared->groups.data()[0].push_back(MakeGroup(0, L"Group 0", 2));
    shared->params.current() = MacroRecordParam{};
    Open();
    Check("chk_macro_record");
    now = 777;
    Key(true, KEY_A);
    const auto steps = WorkSteps();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[1].delay, 778);
}

TEST_F(MacroRecording, FixedAndNoDelay) {
    StartRecording(1, 55);
    now = 1;
    Key(true, KEY_A);
    now = 900;
    Key(false, KEY_A);
    ASSERT_EQ(WorkSteps().size(), 2u);
    EXPECT_EQ(WorkSteps()[0].delay, 55);
    Check("chk_macro_no_delay");
    now = 5000;
    Key(true, KEY_B);
    ASSERT_EQ(WorkSteps().size(), 3u);
    EXPECT_EQ(WorkSteps()[1].delay, 0);
}

TEST_F(MacroRecording, WithoutAValidGroupRecordingGoesIntoANewOne) {
    shared->groups.data()[0].push_back(MakeGroup(0, L"Group 0"));
    shared->params.current().gpsel = 4;
    Open();
    // No group selected in the list: a new group is made and selected for the recording.
    Check("chk_macro_record");
    EXPECT_TRUE(Find<SOUI::SCheckBox>("chk_macro_record")->IsChecked());
    EXPECT_TRUE(KeyboardHook::IsInstalled());
    ASSERT_EQ(shared->GroupsNow().size(), 2u);
    EXPECT_EQ(shared->GroupsNow().back().info.data()[0].name, L"Group 1");
    EXPECT_EQ(shared->params.current().gpsel, 1);
    Tap(KEY_A);
    EXPECT_EQ(shared->GroupsNow().back().items.data()[0].size(), 2u);
    Check("chk_macro_record");
    EXPECT_FALSE(KeyboardHook::IsInstalled());
    // Checked by force with gpsel past the end: events pass and nothing is recorded.
    SelectGroupRow(0);
    Check("chk_macro_record");
    ASSERT_TRUE(KeyboardHook::IsInstalled());
    SelectPage(1);
    SelectPage(0);
    shared->params.current().gpsel = 3;
    shared->params.fireOthers(shapes::kApply, false);
    Settle();
    EXPECT_TRUE(Tap(KEY_A));
    EXPECT_TRUE(WorkSteps().empty());
}

TEST_F(MacroRecording, SingleKeyPageCapturesKeyDowns) {
    Open();
    SelectPage(1);
    ASSERT_TRUE(KeyboardHook::IsInstalled());
    EXPECT_FALSE(Key(true, KEY_RIGHTCTRL));
    EXPECT_TRUE(Key(false, KEY_RIGHTCTRL));  // key-ups pass
    auto* text = Find<SOUI::SStatic>("edit_single_key");
    EXPECT_EQ(text->GetWindowText(), "CtrlRight");
    EXPECT_EQ(text->GetUserData(), 0x11D);
    EXPECT_EQ(shared->params.current().singlekey, 0x11D);
    EXPECT_EQ(shared->params.current().page, 1);
    // Other pages let every key through and remove the hook.
    SelectPage(2);
    EXPECT_FALSE(KeyboardHook::IsInstalled());
}

TEST_F(MacroRecording, KeyHeldInAnEarlierEditorIsRecordedInTheNext) {
    StartRecording(2);
    Key(true, KEY_A);
    Close();
    Open();
    Check("chk_macro_record");
    Key(true, KEY_A);
    EXPECT_EQ(WorkSteps().size(), 2u);
}

TEST_F(MacroRecording, HookIsRemovedWhenTheEditorCloses) {
    StartRecording(2);
    Close();
    EXPECT_FALSE(KeyboardHook::IsInstalled());
    EXPECT_EQ(KeyboardHook::ListenerCount(), 0);
}

TEST(MacroClock, ProgramClockCountsWallTimeNotProcessorTime) {
    const std::int64_t before = MacroRecordDlg::ProgramClock();
    // Sleeping uses no processor time; a processor clock would stand still.
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    const std::int64_t after = MacroRecordDlg::ProgramClock();
    EXPECT_GE(after - before, 40);
}

}  // namespace
}  // namespace macrotest

// The panel after the keyboard comes back: it shows the keyboard's state again, whatever the
// user chose while the keyboard was away or could not take the change.
#include "support/PanelTestSupport.h"

namespace paneltest {
namespace {

class KeyboardUiReconnect : public PanelTest {
protected:
    void Unplug() {
        backend->UnplugKeyboard();
        for (const std::string& path : EmulatedBackend::KeyboardInterfacePaths())
            logic->OnRemove(path);
        Settle();
    }
    void Replug() {
        backend->PlugKeyboard();
        for (const std::string& path : EmulatedBackend::KeyboardInterfacePaths())
            logic->OnArrival(path);
        Settle();
    }
};

TEST_F(KeyboardUiReconnect, ProfileChosenWhileUnpluggedGivesWayToTheKeyboards) {
    Start();
    SOUI::SComboBox* profiles = Find<SOUI::SComboBox>("kb_cmb_profile");
    ASSERT_NE(profiles, nullptr);
    ASSERT_GE(profiles->GetCount(), 3);
    Unplug();
    Choose("kb_cmb_profile", 2);
    EXPECT_EQ(profiles->GetCurSel(), 2);
    Replug();
    EXPECT_EQ(Keyboard().ActiveProfile(), 0);
    EXPECT_EQ(profiles->GetCurSel(), 0);
    EXPECT_EQ(profiles->GetCount(), Keyboard().Shape().profiles);
}

TEST_F(KeyboardUiReconnect, ProfileTheKeyboardRefusedGivesWayAfterAReconnection) {
    Start();
    SOUI::SComboBox* profiles = Find<SOUI::SComboBox>("kb_cmb_profile");
    ASSERT_NE(profiles, nullptr);
    backend->FailReport(backend->ReportCount() + 1);
    Choose("kb_cmb_profile", 1);
    ASSERT_EQ(Keyboard().ActiveProfile(), 0);
    Unplug();
    Replug();
    EXPECT_EQ(profiles->GetCurSel(), 0);
    EXPECT_EQ(Keyboard().ActiveProfile(), 0);
}

TEST_F(KeyboardUiReconnect, ProfileTakenByTheKeyboardStaysShown) {
    Start();
    SOUI::SComboBox* profiles = Find<SOUI::SComboBox>("kb_cmb_profile");
    ASSERT_NE(profiles, nullptr);
    Choose("kb_cmb_profile", 2);
    ASSERT_EQ(Keyboard().ActiveProfile(), 2);
    Unplug();
    Replug();
    EXPECT_EQ(profiles->GetCurSel(), 2);
}

}  // namespace
}  // namespace paneltest

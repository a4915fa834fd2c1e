// The macro editor, opened from the macro key picture as the user does: a few random steps in
// it (groups, recording, the other pages, steps, repeat count, delay mode), then OK, Delete or
// Cancel.
#include "SoakAction.h"
#include "UserInput.h"
#include "screens/KeyboardUiNames.h"
#include "screens/MacroRecordDlg.h"
#include "ui/HostDialog.h"
#include "ui/InputControls.h"
#include "ui/ListView.h"
#include "ui/TabCtrl.h"

namespace {

using soak::RandomBelow;

// Input layer codes of keys a user types while recording: letters, digits, space, enter,
// modifiers and an extended key.
constexpr unsigned kTypedKeys[] = {30, 48, 46, 32, 18, 2, 3, 11, 57, 28, 42, 29, 97, 103, 108};

class EditorVisit {
public:
    EditorVisit(SoakRig& rig, std::mt19937& random, SOUI::SHostDialog& dialog)
        : rig_(rig), random_(random), dialog_(dialog) {}

    void Run() {
        rig_.Tally("macro editor opened");
        // Deleting a group with steps asks first: the user answers either way.
        if (auto* editor = dynamic_cast<MacroRecordDlg*>(&dialog_))
            editor->SetConfirmation([this](SOUI::HWND, const QString&) {
                rig_.Tally("group deletion asked");
                return RandomBelow(random_, 2) == 0;
            });
        const int steps = RandomBelow(random_, 6);
        for (int i = 0; i < steps && dialog_.IsWindow(); ++i) Step();
        if (!dialog_.IsWindow()) return;
        const int end = RandomBelow(random_, 10);
        const char* button = end < 5 ? "btnOK" : end < 7 ? "btnDelete" : "btnCancel";
        rig_.Tally(std::string("macro editor ") + button);
        PressNamed(button);
        // OK with nothing to assign keeps the editor open with the reason: the user cancels.
        if (dialog_.IsWindow()) {
            rig_.Tally("macro editor OK refused");
            PressNamed("btnCancel");
        }
    }

private:
    void Step() {
        switch (RandomBelow(random_, 10)) {
            case 0:
                PressNamed("groupAdd");
                break;
            case 1:
                SelectGroup();
                PressNamed("groupDel");
                break;
            case 2:
                SelectGroup();
                break;
            case 3:
            case 4:
                Record();
                break;
            case 5:
                Page(1);
                soak::Type(dialog_, RandomKey());
                break;
            case 6:
                ChooseIn(2, "cmb_media_keys");
                break;
            case 7:
                ChooseIn(3, "cmb_function_keys");
                break;
            case 8:
                EditSteps();
                break;
            default:
                SetRepeatOrDelay();
                break;
        }
    }

    void Record() {
        Page(0);
        if (RandomBelow(random_, 2)) SelectGroup();
        PressNamed("chk_macro_record");
        const int keys = 1 + RandomBelow(random_, 4);
        for (int i = 0; i < keys; ++i) soak::Type(dialog_, RandomKey());
        // Now and then the editor is left still recording.
        if (RandomBelow(random_, 4)) PressNamed("chk_macro_record");
    }

    void EditSteps() {
        static const char* const buttons[] = {"item_up", "item_down", "item_delete", "item_clear"};
        if (auto* steps = Find<SOUI::SMcListView>("macro_items");
            steps && steps->GetItemCount() > 0)
            steps->SetSel(RandomBelow(random_, steps->GetItemCount()), false);
        PressNamed(buttons[RandomBelow(random_, 4)]);
    }

    void SetRepeatOrDelay() {
        static const char* const delays[] = {"chk_macro_realy_delay", "chk_macro_fixed_delay",
                                             "chk_macro_no_delay"};
        if (RandomBelow(random_, 2)) {
            PressNamed(delays[RandomBelow(random_, 3)]);
            return;
        }
        const char* edit =
            RandomBelow(random_, 2) ? "edit_macro_repeat_times" : "edit_macro_delay_time";
        if (auto* box = Find<SOUI::SEdit>(edit)) {
            box->SetWindowText(QString::number(RandomBelow(random_, 300)));
            SoakRig::Settle();
        }
    }

    void SelectGroup() {
        auto* groups = Find<SOUI::SListView>("macro_group");
        if (!groups || groups->GetItemCount() == 0) return;
        const int row = RandomBelow(random_, groups->GetItemCount());
        // As a click: the row becomes current, then the row fires its command.
        groups->SetSel(row, true);
        if (SOUI::SWindow* panel = groups->GetItemPanel(row)) panel->FireCommand();
        SoakRig::Settle();
    }

    void ChooseIn(int page, const char* name) {
        Page(page);
        auto* combo = Find<SOUI::SComboBox>(name);
        if (combo && combo->GetCount() > 0)
            soak::Choose(combo, RandomBelow(random_, combo->GetCount()));
    }

    void Page(int page) {
        auto* tabs = dynamic_cast<SOUI::STabCtrl*>(
            dialog_.GetRoot()->FindChildByName(QStringLiteral("tab_macro_mode_selection")));
        if (!tabs) {
            rig_.Fault("the macro editor has no page selection");
            return;
        }
        tabs->SetCurSel(page);
        SoakRig::Settle();
    }

    void PressNamed(const char* name) {
        SOUI::SWindow* widget = dialog_.GetRoot()->FindChildByName(QString::fromLatin1(name));
        if (!widget) {
            rig_.Fault(std::string("the macro editor has no \"") + name + "\"");
            // Nobody could finish the dialog otherwise.
            dialog_.EndDialog(SOUI::IDCANCEL);
            return;
        }
        soak::Press(widget);
    }

    template <class T>
    T* Find(const char* name) {
        return dialog_.GetRoot()->FindChildByName2<T>(QString::fromLatin1(name));
    }
    unsigned RandomKey() {
        return kTypedKeys[RandomBelow(random_, static_cast<int>(std::size(kTypedKeys)))];
    }

    SoakRig& rig_;
    std::mt19937& random_;
    SOUI::SHostDialog& dialog_;
};

void OpenEditor(SoakRig& rig, std::mt19937& random) {
    auto* tabs = rig.Find<SOUI::STabCtrl>("tab_main");
    if (tabs && tabs->GetCurSel() != 1) {
        tabs->SetCurSel(1);
        SoakRig::Settle();
    }
    auto* picture = rig.Find<SOUI::CoordButtonImage>(kb::kMacroKeys);
    if (!soak::Reachable(rig.Window(), picture)) return;
    std::vector<int> keys;
    for (const CoordButtonInfo& key : picture->Items())
        if (key.id != 0) keys.push_back(key.order);
    if (keys.empty()) return;
    const int position =
        keys[static_cast<std::size_t>(RandomBelow(random, static_cast<int>(keys.size())))];
    SOUI::ScopedModalAnswerer answer(
        [&](SOUI::SHostDialog& dialog) { EditorVisit(rig, random, dialog).Run(); });
    soak::MouseOnKey(rig.App(), *picture, SOUI::WM_LBUTTONDOWN, position);
    // Releasing the mouse on the key opens the editor; this returns when it has closed.
    soak::MouseOnKey(rig.App(), *picture, SOUI::WM_LBUTTONUP, position);
    SoakRig::Settle();
}

}  // namespace

std::vector<SoakAction> EditorActions(SoakRig& rig, std::mt19937& random) {
    return {{"macro editor", 8, [&rig, &random] { OpenEditor(rig, random); }}};
}

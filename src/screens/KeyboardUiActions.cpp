// What the user does on the keyboard panel.
#include <algorithm>

#include "records/SharedShapes.h"
#include "screens/ColorPanel.h"
#include "screens/KeyboardUi.h"
#include "screens/KeyboardUiNames.h"
#include "screens/MacroRecordDlg.h"
#include "ui/Application.h"
#include "ui/InputControls.h"
#include "ui/MessageBox.h"
#include "ui/SWindow.h"
#include "widgets/CoordButtonImage.h"

namespace {

bool IsNamed(const SOUI::EventArgs* e, const char* name) {
    return e->sender && e->sender->GetName() == QLatin1String(name);
}

void RunMacroEditor(SOUI::HWND owner, const std::wstring& name, const CoordButtonInfo& key) {
    MacroRecordDlg editor(name, key);
    editor.DoModal(owner);
}

using SOUI::Translated;

bool AskUser(SOUI::HWND owner, const QString& question, const char* caption) {
    return SOUI::SMessageBox(owner, question, Translated(caption), SOUI::MB_OKCANCEL) == SOUI::IDOK;
}

constexpr const char* kFactoryResetQuestion =
    "Factory reset erases everything stored on the keyboard: the lighting of every profile, "
    "the custom colours, the key assignments and the macros. Go on?";
constexpr const char* kExportOffer =
    "Factory reset erases everything stored on the keyboard: the lighting of every profile, "
    "the custom colours, the key assignments and the macros. Export them to a file first, so "
    "that Import settings can bring them back?";
constexpr const char* kClearMasksCaption = "Clear masks";
constexpr const char* kClearMasksQuestion =
    "Clear masks clears every key mask stored on the keyboard, for good. Go on?";
constexpr const char* kMasksCleared = "The keyboard's key masks were cleared.";

}  // namespace

bool KeyboardUi::ConfirmFactoryReset() {
    if (confirm_) return confirm_(window_, Translated(kFactoryResetQuestion));
    if (!exporter_) return AskUser(window_, Translated(kFactoryResetQuestion), "Factory reset");
    switch (SOUI::SMessageBox(window_, Translated(kExportOffer), Translated("Factory reset"),
                              SOUI::MB_YESNOCANCEL, QStringLiteral("Export first"),
                              QStringLiteral("Reset now"))) {
        case SOUI::IDYES:
            // Nothing is erased unless the file was written.
            return exporter_(window_);
        case SOUI::IDNO:
            return true;
        default:
            return false;
    }
}

void KeyboardUi::ClearMasks() {
    const QString question = Translated(kClearMasksQuestion);
    if (!(confirm_ ? confirm_(window_, question) : AskUser(window_, question, kClearMasksCaption)))
        return;
    maskClear_.current() = -1;
    maskClear_.fireOthers(shapes::kApply, true);
    const QString done = Translated(kMasksCleared);
    if (notice_)
        notice_(window_, done);
    else
        SOUI::SMessageBox(window_, done, Translated(kClearMasksCaption), SOUI::MB_OK);
}

bool KeyboardUi::OnEvent(SOUI::EventArgs* e) {
    if (!e) return false;
    if (e->GetID() == SOUI::EVT_CMD && OnCommand(e)) return true;
    if (e->GetID() == SOUI::EVT_SLIDER_POS && OnSlider(e)) return true;
    if (foreground_ && foreground_->OnEvent(e)) return true;
    return background_ && background_->OnEvent(e);
}

bool KeyboardUi::OnCommand(SOUI::EventArgs* e) {
    const int id = e->sender ? e->sender->GetID() : e->idFrom;
    if (id >= kb::kFirstDirectionId && id < kb::kFirstDirectionId + 4) {
        WriteDirection(kb::kDirectionValues[id - kb::kFirstDirectionId]);
        return true;
    }
    const bool clockwise = IsNamed(e, kb::kClockwise);
    if (clockwise || IsNamed(e, kb::kAnticlockwise)) {
        std::uint16_t flags = 0;
        if (CurrentModeFlags(flags) && (flags & MODE_CAP_ROTATION))
            WriteDirection(clockwise ? kClockwise : kAnticlockwise);
        return true;
    }
    if (IsNamed(e, kb::kRestoreFactory)) {
        if (!ConfirmFactoryReset()) return true;
        factoryReset_.current() = -1;
        factoryReset_.fireOthers(shapes::kApply, true);
        return true;
    }
    if (IsNamed(e, kb::kClearMasks)) {
        ClearMasks();
        return true;
    }
    return std::any_of(std::begin(kb::kInertButtons), std::end(kb::kInertButtons),
                       [e](const char* name) { return IsNamed(e, name); });
}

bool KeyboardUi::OnSlider(SOUI::EventArgs* e) {
    const int position = static_cast<SOUI::EventSliderPos*>(e)->nPos;
    const bool speed = IsNamed(e, kb::kSpeed);
    const bool foreground = IsNamed(e, kb::kFgBrightness);
    if (!speed && !foreground && !IsNamed(e, kb::kBgBrightness)) return false;
    if (view_.reg.count == 0) return true;
    _reg_mode_t& reg = Register();
    if (speed)
        reg.setSpeed(static_cast<unsigned>(position) & _reg_mode_t::SPEED_MASK);
    else if (foreground)
        reg.foregroundBrightness = static_cast<std::uint8_t>(position);
    else
        reg.backgroundBrightness = static_cast<std::uint8_t>(position);
    ShowSliderValues();
    PublishRegister();
    return true;
}

void KeyboardUi::WriteDirection(std::uint8_t direction) {
    if (view_.reg.count == 0) return;
    Register().setDirection(direction);
    ShowDirection(direction);
    PublishRegister();
}

bool KeyboardUi::OnComboSelChange(SOUI::EventArgs* e) {
    const int selected = static_cast<SOUI::EventCBSelChange*>(e)->nCurSel;
    // A cleared selection chooses nothing.
    if (selected < 0) return false;
    const auto i = static_cast<uint32_t>(selected);
    if (e->sender == ui_.modes)
        view_.modes.select(i, shapes::kAlreadyApplied, true, false);
    else if (e->sender == ui_.colourSet)
        view_.colourSet.set(selected, shapes::kApply, false, false);
    else if (e->sender == ui_.profiles)
        // Published, so that the keyboard switches to the profile the box shows.
        view_.profiles.select(i, shapes::kApply, false, false);
    return false;
}

void KeyboardUi::OnForegroundColour(std::uint32_t colour) {
    std::uint16_t flags = 0;
    if (!CurrentModeFlags(flags)) return;
    if (flags & MODE_CAP_PER_KEY) {
        if (keySelection_.count == 0) return;
        for (CoordButtonInfo& key : keySelection_.current()) key.fground = colour;
        keySelection_.fireAll(shapes::kAlreadyApplied, false);
        return;
    }
    if (view_.reg.count == 0) return;
    if (colour == 0) {
        if (!(flags & MODE_CAP_AUTO_FOREGROUND)) return;
        Register().setAutoForeground(true);
    } else {
        Register().setAutoForeground(false);
        Register().setForegroundColor(colour);
    }
    PublishRegister();
}

void KeyboardUi::OnBackgroundColour(std::uint32_t colour) {
    if (view_.reg.count == 0) return;
    Register().setBackgroundColor(colour);
    PublishRegister();
}

bool KeyboardUi::OnMacroKeyClick(int, int, const CoordButtonInfo& key, int released, int, int,
                                 int) {
    if (released != 1 || key.id == 0) return false;
    if (editorOpen_) return true;
    // The picture may change its keys while the editor runs.
    const CoordButtonInfo chosen = key;
    editorOpen_ = true;
    recordFlag_.set(1, shapes::kApply, true, false);
    OpenEditor(chosen);
    recordFlag_.set(0, shapes::kApply, true, false);
    editorOpen_ = false;
    return true;
}

void KeyboardUi::OpenEditor(const CoordButtonInfo& key) {
    if (openEditor_)
        openEditor_(window_, key.name, key);
    else
        RunMacroEditor(window_, key.name, key);
}

void KeyboardUi::OnLedSelection(const std::vector<CoordButtonInfo>& selected) {
    keySelection_.set(&selected, shapes::kApply, SHAPE_COPY);
}

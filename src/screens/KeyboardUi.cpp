#include "screens/KeyboardUi.h"

#include <cstring>

#include "records/SharedShapes.h"
#include "records/SystemText.h"
#include "screens/ColorPanel.h"
#include "screens/KeyboardUiNames.h"
#include "trace/Trace.h"
#include "ui/Application.h"
#include "ui/BasicControls.h"
#include "ui/CheckControls.h"
#include "ui/InputControls.h"
#include "ui/SWindow.h"
#include "widgets/CoordButtonImage.h"

namespace {

constexpr int kZero = 0;
constexpr std::size_t kMaxNameLength = 1024;
// The key pictures draw their fills see-through.
constexpr std::uint32_t kPictureAlpha = 0x70u << 24;

QString NameOf(const wire::FixedText<60>& text) {
    std::wstring name = FromSystemText(text.text());
    if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
    return QString::fromStdWString(name);
}

QString Translated(const char* text) {
    const QString source = QString::fromUtf8(text);
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    return app ? app->Tr(source) : source;
}

std::uint32_t PictureColour(std::uint32_t colour) {
    return (colour & 0x00FFFFFFu) | kPictureAlpha;
}

}  // namespace

KeyboardUi::KeyboardUi()
    : keySelection_(shapes::kKeySelectionName),
      recordFlag_(shapes::kRecordFlagName, &kZero, 1),
      factoryReset_(shapes::kFactoryResetName, &kZero, 1),
      maskClear_(shapes::kMaskClearName, &kZero, 1) {}

KeyboardUi::~KeyboardUi() {
    ShapeBase::detachWindow(this);
}

void KeyboardUi::Init(SOUI::SWindow* root, SOUI::HWND window) {
    window_ = window;
    ShapeBase::attachWindow(this, window);
    if (!root) return;
    FindWidgets(root);
    for (SOUI::SComboBox* combo : {ui_.profiles.data(), ui_.modes.data(), ui_.colourSet.data()}) {
        if (combo)
            combo->SubscribeEvent(SOUI::EVT_CB_SELCHANGE,
                                  [this](SOUI::EventArgs* e) { return OnComboSelChange(e); });
    }
    for (auto& radio : ui_.directions)
        if (radio) radio->SetCheck(false);
    BindColourPanels();
    if (ui_.macroKeys)
        ui_.macroKeys->SetListener(
            new SOUI::ListenerProxy<KeyboardUi>(this, &KeyboardUi::OnMacroKeyClick, nullptr));
    if (ui_.ledKeys)
        ui_.ledKeys->SetListener(
            new SOUI::ListenerProxy<KeyboardUi>(this, nullptr, &KeyboardUi::OnLedSelection));
    BindHooks();
    RunHooksOnce();
}

void KeyboardUi::FindWidgets(SOUI::SWindow* root) {
    using namespace SOUI;
    ui_.status = root->FindChildByName2<SStatic>(kb::kStatus);
    ui_.profiles = root->FindChildByName2<SComboBox>(kb::kProfiles);
    ui_.modes = root->FindChildByName2<SComboBox>(kb::kModes);
    ui_.colourSet = root->FindChildByName2<SComboBox>(kb::kColourSet);
    ui_.speed = root->FindChildByName2<SSliderBar>(kb::kSpeed);
    ui_.fgBrightness = root->FindChildByName2<SSliderBar>(kb::kFgBrightness);
    ui_.bgBrightness = root->FindChildByName2<SSliderBar>(kb::kBgBrightness);
    ui_.speedParent = root->FindChildByName2<SWindow>(kb::kSpeedParent);
    ui_.fgBrightnessParent = root->FindChildByName2<SWindow>(kb::kFgBrightnessParent);
    ui_.bgBrightnessParent = root->FindChildByName2<SWindow>(kb::kBgBrightnessParent);
    ui_.directionGroup = root->FindChildByName2<SWindow>(kb::kDirectionGroup);
    ui_.foregroundBox = root->FindChildByName2<SWindow>(kb::kForegroundBox);
    ui_.backgroundBox = root->FindChildByName2<SWindow>(kb::kBackgroundBox);
    ui_.macroKeys = root->FindChildByName2<CoordButtonImage>(kb::kMacroKeys);
    ui_.ledKeys = root->FindChildByName2<CoordButtonImage>(kb::kLedKeys);
    ui_.direction = root->FindChildByName2<SWindow>(kb::kDirection);
    ui_.linearDirections = root->FindChildByName2<SWindow>(kb::kLinearDirections);
    ui_.turnDirections = root->FindChildByName2<SWindow>(kb::kTurnDirections);
    for (int i = 0; i < 4; ++i)
        ui_.directions[i] = root->FindChildByID2<SWindow>(kb::kFirstDirectionId + i);
    ui_.clockwise = root->FindChildByName2<SRadioBox>(kb::kClockwise);
    ui_.anticlockwise = root->FindChildByName2<SRadioBox>(kb::kAnticlockwise);
    if (ui_.foregroundBox)
        ui_.foregroundAuto = ui_.foregroundBox->FindChildByName2<SRadioBox>(kb::kAutoColour);
    ui_.colourSetRow = root->FindChildByName(kb::kColourSetRow);
    ui_.speedValue = root->FindChildByName(kb::kSpeedValue);
    ui_.fgBrightnessValue = root->FindChildByName(kb::kFgBrightnessValue);
    ui_.bgBrightnessValue = root->FindChildByName(kb::kBgBrightnessValue);
}

void KeyboardUi::BindColourPanels() {
    if (ui_.foregroundBox) {
        foreground_ = std::make_unique<ColorPanel>();
        foreground_->Init(ui_.foregroundBox, window_);
        foreground_->SetListener(
            new ColorPanel::Listener<KeyboardUi>(this, &KeyboardUi::OnForegroundColour));
    }
    if (ui_.backgroundBox) {
        background_ = std::make_unique<ColorPanel>();
        background_->Init(ui_.backgroundBox, window_);
        background_->SetListener(
            new ColorPanel::Listener<KeyboardUi>(this, &KeyboardUi::OnBackgroundColour));
        // A background has no automatic colour: the choice would only paint it black.
        if (SOUI::SWindow* automatic = background_->AutoRadio()) automatic->SetVisible(false);
    }
}

void KeyboardUi::BindHooks() {
    view_.connected.bind(this, &KeyboardUi::OnConnected);
    view_.reg.bind(this, &KeyboardUi::OnRegister);
    view_.modes.bind(this, &KeyboardUi::OnModes);
    view_.profiles.bind(this, &KeyboardUi::OnProfiles);
    view_.colourSet.bind(this, &KeyboardUi::OnColourSet);
    view_.keyCodes.bind(this, &KeyboardUi::OnKeyCodes);
    keySelection_.bind(this, &KeyboardUi::OnKeySelection);
    view_.keyColours.bind(this, &KeyboardUi::OnKeyColours);
}

void KeyboardUi::RunHooksOnce() {
    auto runOnce = [](auto& shape, auto hook) {
        hook(shape.id, shape.data(), shape.count, shape.count, shape.index(), shape.index(), 0);
    };
    runOnce(view_.connected, [this](auto... a) { OnConnected(a...); });
    runOnce(view_.reg, [this](auto... a) { OnRegister(a...); });
    runOnce(view_.modes, [this](auto... a) { OnModes(a...); });
    runOnce(view_.profiles, [this](auto... a) { OnProfiles(a...); });
    runOnce(view_.colourSet, [this](auto... a) { OnColourSet(a...); });
    runOnce(view_.keyCodes, [this](auto... a) { OnKeyCodes(a...); });
}

void KeyboardUi::OnConnected(int, const int* data, uint32_t count, uint32_t, uint32_t, uint32_t,
                             int) {
    const bool connected = count > 0 && data[0] != 0;
    if (ui_.status) ui_.status->SetWindowText(Translated(connected ? "Connected" : "Disconnected"));
    trace::Line(trace::Level::Info, "OnDataHidInserted");
}

void KeyboardUi::OnRegister(int, const _reg_mode_t* data, uint32_t count, uint32_t, uint32_t,
                            uint32_t, int) {
    if (count == 0) return;
    const _reg_mode_t& reg = data[0];
    if (ui_.speed) ui_.speed->SetValue(reg.speed());
    if (ui_.fgBrightness) ui_.fgBrightness->SetValue(reg.foregroundBrightness);
    if (ui_.bgBrightness) ui_.bgBrightness->SetValue(reg.backgroundBrightness);
    ShowSliderValues();
    ShowDirection(reg.direction());
    if (foreground_) foreground_->Display(reg.autoForeground() ? 0 : reg.foregroundColor());
    if (background_) background_->Display(reg.backgroundColor());
    std::uint32_t firstBytes = 0;
    std::memcpy(&firstBytes, &reg, sizeof firstBytes);
    trace::Printf(trace::Level::Info, "LedMainModeDataChanged:%d", static_cast<int>(firstBytes));
}

void KeyboardUi::OnModes(int, const _mode_attr_t* data, uint32_t count, uint32_t oldCount,
                         uint32_t index, uint32_t, int arg) {
    if (count != oldCount && ui_.modes) {
        ui_.modes->SetCurSel(-1, true);
        ui_.modes->ResetContent();
        for (uint32_t i = 0; i < count; ++i) ui_.modes->InsertItem(-1, NameOf(data[i].name));
        ui_.modes->SetCurSel(static_cast<int>(index), true);
    }
    if (count == 0) return;
    if (arg == shapes::kApply && ui_.modes) ui_.modes->SetCurSel(static_cast<int>(index), true);
    if (index >= view_.modes.count) return;
    ApplyModeCaps(view_.modes.data()[index].flags());
}

void KeyboardUi::OnProfiles(int, const _profile_attr_t* data, uint32_t count, uint32_t oldCount,
                            uint32_t index, uint32_t, int arg) {
    if (!ui_.profiles) return;
    if (count == oldCount) {
        // A connection read (arg 0) brings the keyboard's active profile: a choice the keyboard
        // never took, while it was away or when its report failed, must not stay on show.
        // Silently, as the keyboard already has it.
        if (arg == shapes::kApply && index < count &&
            ui_.profiles->GetCurSel() != static_cast<int>(index))
            ui_.profiles->SetCurSel(static_cast<int>(index), false);
        return;
    }
    ui_.profiles->SetCurSel(-1, true);
    ui_.profiles->ResetContent();
    for (uint32_t i = 0; i < count; ++i) ui_.profiles->InsertItem(-1, NameOf(data[i].name));
    ui_.profiles->SetCurSel(static_cast<int>(index), true);
}

void KeyboardUi::OnColourSet(int, const int* data, uint32_t count, uint32_t, uint32_t, uint32_t,
                             int) {
    if (count > 0 && ui_.colourSet) ui_.colourSet->SetCurSel(data[0], true);
}

void KeyboardUi::OnKeyCodes(int, const macro_code_t* data, uint32_t count, uint32_t, uint32_t,
                            uint32_t, int) {
    if (!ui_.macroKeys) return;
    ui_.macroKeys->SetItemChecked(SOUI::CoordButtonImage::kAllKeys, false);
    for (uint32_t i = 0; i < count; ++i)
        ui_.macroKeys->SetItemChecked(static_cast<int>(i), data[i].hasAssignment());
}

void KeyboardUi::OnKeySelection(int, const std::vector<CoordButtonInfo>* data, uint32_t count,
                                uint32_t, uint32_t, uint32_t, int) {
    if (count == 0) return;
    for (const CoordButtonInfo& key : data[0]) {
        if (ui_.ledKeys) ui_.ledKeys->SetItemForeground(key.order, PictureColour(key.fground));
        const std::int64_t k = key.order < 0 ? view_.keyColours.index() : key.order;
        if (k >= view_.keyColours.count) continue;
        // The fourth byte is the keyboard's own: only the colour changes.
        rgba_t& colour = view_.keyColours.data()[k];
        const rgba_t picked = rgba_t::fromValue(key.fground);
        colour = {picked.r, picked.g, picked.b, colour.a};
    }
    view_.keyColours.fireOthers(shapes::kAlreadyApplied, false);
}

void KeyboardUi::OnKeyColours(int, const rgba_t* data, uint32_t count, uint32_t, uint32_t, uint32_t,
                              int) {
    if (!ui_.ledKeys) return;
    for (uint32_t i = 0; i < count; ++i)
        ui_.ledKeys->SetItemForeground(static_cast<int>(i), PictureColour(data[i].value()));
}

bool KeyboardUi::CurrentModeFlags(std::uint16_t& flags) const {
    if (view_.modes.index() >= view_.modes.count) return false;
    flags = view_.modes.data()[view_.modes.index()].flags();
    return true;
}

void KeyboardUi::ApplyModeCaps(std::uint16_t flags) {
    SOUI::CoordButtonImage* led = ui_.ledKeys;
    const bool perKey = flags & MODE_CAP_PER_KEY;
    // A mode without settings (flags 0) only disables the picture; the settings of the mode
    // before it are hidden below like those of any other mode that lacks them.
    if (led && flags != 0) {
        led->EnableWindow(true);
        led->SetSelectMode(perKey);
        led->SetForegroundFill(perKey);
    }
    if (led) led->EnableWindow(perKey);
    if (ui_.colourSetRow) ui_.colourSetRow->SetVisible(perKey);
    if (ui_.colourSet) {
        ui_.colourSet->SetVisible(perKey);
        if (perKey && view_.colourSet.index() < view_.colourSet.count)
            ui_.colourSet->SetCurSel(view_.colourSet.data()[view_.colourSet.index()], true);
    }
    auto show = [](SOUI::SWindow* w, bool visible) {
        if (w) w->SetVisible(visible);
    };
    // Keys are painted with the foreground panel's colour.
    show(ui_.foregroundBox, flags & (MODE_CAP_FOREGROUND | MODE_CAP_PER_KEY));
    show(ui_.backgroundBox, flags & MODE_CAP_BACKGROUND);
    show(ui_.fgBrightnessParent, flags & MODE_CAP_FOREGROUND_BRIGHTNESS);
    show(ui_.bgBrightnessParent, flags & MODE_CAP_BACKGROUND_BRIGHTNESS);
    show(ui_.speedParent, flags & MODE_CAP_SPEED);
    show(ui_.foregroundAuto, flags & MODE_CAP_AUTO_FOREGROUND);
    constexpr std::uint16_t anyDirection =
        MODE_CAP_DIRECTION_LEFT_RIGHT | MODE_CAP_DIRECTION_UP_DOWN | MODE_CAP_ROTATION;
    show(ui_.directionGroup, flags & anyDirection);
    show(ui_.direction, flags & anyDirection);
    if (!(flags & anyDirection)) {
        show(ui_.turnDirections, false);
        show(ui_.linearDirections, false);
    } else if (flags & MODE_CAP_ROTATION) {
        show(ui_.turnDirections, true);
        show(ui_.linearDirections, false);
    } else {
        show(ui_.turnDirections, false);
        show(ui_.linearDirections, true);
        const bool leftRight = flags & MODE_CAP_DIRECTION_LEFT_RIGHT;
        const bool upDown = flags & MODE_CAP_DIRECTION_UP_DOWN;
        show(ui_.directions[0], leftRight);
        show(ui_.directions[1], leftRight);
        show(ui_.directions[2], upDown);
        show(ui_.directions[3], upDown);
    }
}

void KeyboardUi::ShowDirection(std::uint8_t direction) {
    for (int i = 0; i < 4; ++i)
        if (ui_.directions[i]) ui_.directions[i]->SetCheck(kb::kDirectionValues[i] == direction);
    if (ui_.clockwise) ui_.clockwise->SetCheck(direction == kClockwise);
    if (ui_.anticlockwise) ui_.anticlockwise->SetCheck(direction == kAnticlockwise);
}

void KeyboardUi::ShowSliderValues() {
    auto show = [](SOUI::SWindow* label, SOUI::SSliderBar* slider) {
        if (label && slider) label->SetWindowText(QString::number(slider->GetValue()));
    };
    show(ui_.speedValue, ui_.speed);
    show(ui_.fgBrightnessValue, ui_.fgBrightness);
    show(ui_.bgBrightnessValue, ui_.bgBrightness);
}

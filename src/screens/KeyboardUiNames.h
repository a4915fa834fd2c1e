#pragma once
// Names of the keyboard panel's widgets: the contract with the layouts. The shapes the panel
// shares with the keyboard logic are in records/SharedShapes.h.
#include <cstdint>

#include "ui/WidgetIds.h"

namespace kb {

inline constexpr const char* kStatus = "statever";
inline constexpr const char* kProfiles = "kb_cmb_profile";
inline constexpr const char* kModes = "cmb_mainled_light_mode_normal";
inline constexpr const char* kColourSet = "cmb_custom_index";
// The colour set choice with its label; shown and hidden with the choice.
inline constexpr const char* kColourSetRow = "row_custom_index";
inline constexpr const char* kSpeed = "bar_mainled_speed";
inline constexpr const char* kFgBrightness = "bar_mainled_fgbrightness";
inline constexpr const char* kBgBrightness = "bar_mainled_bgbrightness";
inline constexpr const char* kSpeedParent = "bar_mainled_speed_parent";
inline constexpr const char* kFgBrightnessParent = "bar_mainled_fgbrightness_parent";
inline constexpr const char* kBgBrightnessParent = "bar_mainled_bgbrightness_parent";
inline constexpr const char* kDirectionGroup = "gp_mainled_direction_parent";
inline constexpr const char* kForegroundBox = "win_color_panel_foreground";
inline constexpr const char* kBackgroundBox = "win_color_panel_background";
inline constexpr const char* kMacroKeys = "cbimg_macro_record";
inline constexpr const char* kLedKeys = "cbimg_led_effect";
inline constexpr const char* kDirection = "wnd_dir_parent";
inline constexpr const char* kLinearDirections = "rdo_dir_vecthorz_parent";
inline constexpr const char* kTurnDirections = "rdo_dir_clock_parent";
inline constexpr const char* kClockwise = "radio_mainled_dir_clockwise";
inline constexpr const char* kAnticlockwise = "radio_mainled_dir_anticlockwise";
inline constexpr const char* kAutoColour = "radio_color_panel_auto";
inline constexpr const char* kRestoreFactory = "btn_kb_restore_factory";
inline constexpr const char* kClearMasks = "btn_clear_all_mask";
// Value labels beside the sliders (optional in a layout).
inline constexpr const char* kSpeedValue = "txt_mainled_speed";
inline constexpr const char* kFgBrightnessValue = "txt_mainled_fgbrightness";
inline constexpr const char* kBgBrightnessValue = "txt_mainled_bgbrightness";

// Buttons a layout may still carry; they are taken without effect.
inline constexpr const char* kInertButtons[] = {"btn_kb_reset_led", "btn_kb_reset_led_custom",
                                                "btn_kb_reset_macro", "btn_set_key_mask",
                                                "btn_set_other_mask"};

// Direction radios left, right, top, bottom by id, and the value each writes.
inline constexpr int kFirstDirectionId = SOUI::kFirstDirectionId;
inline constexpr std::uint8_t kDirectionValues[4] = {1, 0, 2, 3};

}  // namespace kb

#pragma once
// Widget ids the program compares by number. The name-id table gives these names exactly these
// ids; every other name takes one of the ids left over.

namespace SOUI {

inline constexpr int kMoreButtonId = 65537;          // btn_more
inline constexpr int kSyncLightId = 65539;           // sync_light_dat
inline constexpr int kFirstDelayBoxId = 65568;       // chk_macro_realy_delay, then fixed, no delay
inline constexpr int kDeleteButtonId = 65577;        // btnDelete
inline constexpr int kAutoColourId = 65633;          // radio_color_panel_auto
inline constexpr int kFirstDefaultColourId = 65634;  // radio_color_panel_defcol0 to 7
inline constexpr int kDefaultColourCount = 8;
inline constexpr int kFirstDirectionId = 65645;  // radio_mainled_dir_left, right, top, bottom

struct BoundWidgetId {
    const char* name;
    int id;
};

// Every name with a fixed id but the default colours, which follow kFirstDefaultColourId.
inline constexpr BoundWidgetId kBoundWidgetIds[] = {
    {"btn_more", kMoreButtonId},
    {"sync_light_dat", kSyncLightId},
    {"tab_macro_mode_selection", 65545},
    {"edit_macro_repeat_times", 65566},
    {"edit_macro_delay_time", 65567},
    {"chk_macro_realy_delay", kFirstDelayBoxId},
    {"chk_macro_fixed_delay", kFirstDelayBoxId + 1},
    {"chk_macro_no_delay", kFirstDelayBoxId + 2},
    {"chk_macro_record", 65571},
    {"edit_single_key", 65573},
    {"cmb_media_keys", 65574},
    {"cmb_function_keys", 65575},
    {"btnDelete", kDeleteButtonId},
    {"kb_cmb_profile", 65594},
    {"cmb_mainled_light_mode_normal", 65596},
    {"bar_mainled_speed", 65602},
    {"bar_mainled_fgbrightness", 65604},
    {"bar_mainled_bgbrightness", 65606},
    {"cmb_custom_index", 65607},
    {"radio_color_panel_auto", kAutoColourId},
    {"radio_mainled_dir_left", kFirstDirectionId},
    {"radio_mainled_dir_right", kFirstDirectionId + 1},
    {"radio_mainled_dir_top", kFirstDirectionId + 2},
    {"radio_mainled_dir_bottom", kFirstDirectionId + 3},
};

}  // namespace SOUI

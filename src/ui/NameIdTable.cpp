#include "ui/NameIdTable.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "ui/WidgetIds.h"

namespace SOUI {
namespace {

constexpr int kStartId = 65535;
constexpr int kFirstId = 65536;
constexpr int kLastId = 65651;

std::vector<std::string> TableNames() {
    std::vector<std::string> names = {"_name_start",
                                      "bar_mainled_bgbrightness",
                                      "bar_mainled_bgbrightness_parent",
                                      "bar_mainled_fgbrightness",
                                      "bar_mainled_fgbrightness_parent",
                                      "bar_mainled_speed",
                                      "bar_mainled_speed_parent",
                                      "btnCancel",
                                      "btnDelete",
                                      "btnMin",
                                      "btnOK",
                                      "btnRestore",
                                      "btnSwitch",
                                      "btn_clear_all_mask",
                                      "btn_kb_reset_led",
                                      "btn_kb_reset_led_custom",
                                      "btn_kb_reset_macro",
                                      "btn_kb_restore_factory",
                                      "btn_min",
                                      "btn_more",
                                      "btn_set_key_mask",
                                      "btn_set_other_mask",
                                      "button1st",
                                      "button2nd",
                                      "button3rd",
                                      "cbimg_led_effect",
                                      "cbimg_macro_record",
                                      "chk_macro_fixed_delay",
                                      "chk_macro_no_delay",
                                      "chk_macro_realy_delay",
                                      "chk_macro_record",
                                      "chk_single_record",
                                      "cmb_custom_index",
                                      "cmb_function_keys",
                                      "cmb_mainled_light_mode_normal",
                                      "cmb_media_keys",
                                      "col1",
                                      "col2",
                                      "col3",
                                      "col4",
                                      "color_panel_b",
                                      "color_panel_g",
                                      "color_panel_pad",
                                      "color_panel_preview",
                                      "color_panel_r",
                                      "edit_macro_delay_time",
                                      "edit_macro_repeat_times",
                                      "edit_single_key",
                                      "gp_mainled_direction_parent",
                                      "groupAdd",
                                      "groupDel",
                                      "groupExport",
                                      "groupImport",
                                      "group_name",
                                      "item_clear",
                                      "item_delete",
                                      "item_down",
                                      "item_up",
                                      "kb_cmb_profile",
                                      "kbpanel_color_container",
                                      "kbside_bar_brightness",
                                      "kbside_bar_brightness_parent",
                                      "kbside_bar_speed",
                                      "kbside_bar_speed_parent",
                                      "kbside_cmb_light_mode",
                                      "kbside_gp_color_parent",
                                      "kbside_gp_direction_parent"};
    for (int i = 0; i < 8; ++i) names.push_back("kbside_radio_color" + std::to_string(i));
    for (const char* n : {"kbside_radio_dir_bottom", "kbside_radio_dir_left",
                          "kbside_radio_dir_right", "kbside_radio_dir_top", "key_code", "key_delay",
                          "key_name", "key_state", "macro_group", "macro_items", "macro_play_mode",
                          "msgicon", "msgtext", "msgtitle", "radio_color_panel_auto"})
        names.push_back(n);
    for (int i = 0; i < 8; ++i) names.push_back("radio_color_panel_defcol" + std::to_string(i));
    for (const char* n :
         {"radio_mainled_dir_anticlockwise", "radio_mainled_dir_bottom",
          "radio_mainled_dir_clockwise", "radio_mainled_dir_left", "radio_mainled_dir_right",
          "radio_mainled_dir_top", "rdo_dir_clock_parent", "rdo_dir_vecthorz_parent", "statever",
          "sync_light_dat", "tab_color_effect", "tab_func_selection", "tab_macro_mode_selection",
          "text_recording_keys", "title", "version", "win_color_panel_background",
          "win_color_panel_foreground", "wnd_dir_parent"})
        names.push_back(n);
    return names;
}

std::map<std::string, int> BoundIds() {
    std::map<std::string, int> bound;
    for (const BoundWidgetId& row : kBoundWidgetIds) bound[row.name] = row.id;
    for (int i = 0; i < kDefaultColourCount; ++i)
        bound["radio_color_panel_defcol" + std::to_string(i)] = kFirstDefaultColourId + i;
    return bound;
}

std::vector<NameIdRow> BuildTable() {
    static const std::vector<std::string> names = [] {
        auto n = TableNames();
        std::sort(n.begin(), n.end());
        return n;
    }();
    const auto bound = BoundIds();
    std::set<int> freeIds;
    for (int id = kFirstId; id <= kLastId; ++id) freeIds.insert(id);
    for (const auto& [name, id] : bound) freeIds.erase(id);

    std::vector<NameIdRow> rows;
    rows.reserve(names.size());
    auto nextFree = freeIds.begin();
    for (const auto& name : names) {
        int id = kStartId;
        if (auto it = bound.find(name); it != bound.end()) {
            id = it->second;
        } else if (name != "_name_start") {
            id = *nextFree++;
        }
        rows.push_back({name.c_str(), id});
    }
    return rows;
}

}  // namespace

const std::vector<NameIdRow>& ProgramNameIdTable() {
    static const std::vector<NameIdRow> table = BuildTable();
    return table;
}

int LookupNameId(const std::vector<NameIdRow>& table, std::string_view name) {
    if (name.empty()) return -1;
    auto it = std::lower_bound(
        table.begin(), table.end(), name,
        [](const NameIdRow& row, std::string_view n) { return std::string_view(row.name) < n; });
    if (it == table.end() || std::string_view(it->name) != name) return -1;
    return it->id;
}

}  // namespace SOUI

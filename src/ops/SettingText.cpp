#include "ops/SettingText.h"

#include <array>

#include "records/AppRules.h"
#include "records/NamedValues.h"

namespace settingtext {

namespace {

constexpr std::array<std::pair<std::string_view, AssignKind>, 5> kAssignKinds{{
    {"key", AssignKind::Key},
    {"function", AssignKind::Function},
    {"combination", AssignKind::Combination},
    {"macro", AssignKind::Macro},
    {"clear", AssignKind::Clear},
}};

// The choices `set` makes besides the mode's register settings: option and key.
enum class Selection { Profile, Mode, ColourSet };
struct SelectionName {
    Selection selection;
    std::string_view option;
    std::string_view key;
};
constexpr std::array<SelectionName, 3> kSelections{{
    {Selection::Profile, "profile", "profile"},
    {Selection::Mode, "mode", "mode"},
    {Selection::ColourSet, "colour-set", "colourSet"},
}};

std::optional<std::string> NumberInto(std::optional<int>& field, std::string_view option,
                                      std::string_view value, int low, int high) {
    field = Number(value, low, high);
    if (field) return std::nullopt;
    return "--" + std::string(option) + " takes a whole number from " + std::to_string(low) +
           " to " + std::to_string(high) + ", not \"" + std::string(value) + "\"";
}

std::optional<std::string> Select(SetRequest& request, Selection selection,
                                  std::string_view value) {
    switch (selection) {
        case Selection::Profile:
            // Profiles are numbered from 0, as the window names them (P0, P1, ...).
            return NumberInto(request.profile, "profile", value, 0, rules::kLastProfile);
        case Selection::Mode:
            if (value.empty()) return std::string("--mode needs a mode name or number");
            request.mode = std::string(value);
            return std::nullopt;
        case Selection::ColourSet:
            return NumberInto(request.colourSet, "colour-set", value, 1, kColourSetCount);
    }
    return std::nullopt;
}

const SelectionName* SelectionByName(std::string_view name) {
    for (const SelectionName& selection : kSelections)
        if (name == selection.option || name == selection.key) return &selection;
    return nullptr;
}

const lighting::SettingRow* RowByName(std::string_view name) {
    const lighting::SettingRow* row = lighting::RowByOption(name);
    return row ? row : lighting::RowByKey(name);
}

}  // namespace

bool TakesNumber(std::string_view name) {
    if (SelectionByName(name)) return true;
    const lighting::SettingRow* row = RowByName(name);
    return row && row->kind == lighting::Kind::Number;
}

bool TakesAuto(std::string_view name) {
    const lighting::SettingRow* row = RowByName(name);
    return row && row->automatic != 0;
}

const std::vector<std::string_view>& SettingNames() {
    static const std::vector<std::string> options = [] {
        std::vector<std::string> all;
        for (const lighting::SettingRow& row : lighting::Rows()) all.push_back(Option(row));
        return all;
    }();
    static const std::vector<std::string_view> names = [] {
        // The mode's settings between the mode and the colour set, as `set --help` lists them.
        std::vector<std::string_view> all{kSelections[0].option, kSelections[1].option};
        all.insert(all.end(), options.begin(), options.end());
        all.push_back(kSelections[2].option);
        return all;
    }();
    return names;
}

std::string ValueForm(std::string_view name) {
    if (name == kSelections[0].option) return "N";
    if (name == kSelections[1].option) return "NAME|NUMBER";
    if (name == kSelections[2].option) return "1-" + std::to_string(kColourSetCount);
    const lighting::SettingRow* row = lighting::RowByOption(name);
    return row ? lighting::ValueForm(*row) : std::string("VALUE");
}

std::optional<AssignKind> AssignKindByName(std::string_view text) {
    return named::ValueOf(kAssignKinds, text);
}

std::string_view AssignKindName(AssignKind kind) {
    return named::NameOf(kAssignKinds, kind);
}

std::vector<std::pair<std::string, std::string>> ToTexts(const SetRequest& request) {
    std::vector<std::pair<std::string, std::string>> texts;
    if (request.profile) texts.emplace_back("profile", std::to_string(*request.profile));
    if (request.mode) texts.emplace_back("mode", *request.mode);
    for (const lighting::SettingRow& row : lighting::Rows())
        if (const auto& value = request[row.id])
            texts.emplace_back(row.key, lighting::Text(row, *value));
    if (request.colourSet) texts.emplace_back("colourSet", std::to_string(*request.colourSet));
    return texts;
}

std::optional<std::string> Apply(SetRequest& request, std::string_view name,
                                 std::string_view value) {
    if (const SelectionName* selection = SelectionByName(name))
        return Select(request, selection->selection, value);
    const lighting::SettingRow* row = RowByName(name);
    if (!row) return "unknown setting \"" + std::string(name) + "\"";
    request[row->id] = lighting::Parse(*row, value);
    if (request[row->id]) return std::nullopt;
    return "--" + lighting::Option(*row) + " takes " + lighting::Expects(*row) + ", not \"" +
           std::string(value) + "\"";
}

}  // namespace settingtext

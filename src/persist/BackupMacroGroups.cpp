#include "persist/BackupMacroGroups.h"

#include <limits>

#include "persist/BackupKeyNames.h"
#include "persist/BackupStepFields.h"
#include "records/SystemText.h"

namespace persist {
namespace {

using namespace backup_json;

constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();

// The name a step gets when it is recorded: its key's.
std::wstring RecordedName(std::int32_t code) {
    const auto name = KeyNameOfCode(code);
    return name ? FromSystemText(*name) : std::wstring();
}

Json WriteStep(const MacroRecordGpItem& item) {
    Json json = {{"state", StateJson(item.state)}, {"delay", item.delay}};
    WriteStepKey(json, item.code, kCodeKeys);
    if (item.name != RecordedName(item.code)) json["name"] = ToSystemText(item.name);
    return json;
}

MacroRecordGpItem ReadStep(const Json& value, const std::string& path) {
    Object(value, path);
    MacroRecordGpItem item;
    item.code = static_cast<std::int32_t>(ReadStepKey(value, path, kCodeKeys));
    item.state = static_cast<std::int32_t>(
        ReadState(Member(value, path, "state"), path + "/state", kLow, kHigh));
    item.delay = static_cast<std::int32_t>(
        WholeNumber(Member(value, path, "delay"), path + "/delay", kLow, kHigh));
    const auto name = value.find("name");
    item.name =
        name == value.end() ? RecordedName(item.code) : FromSystemText(Text(*name, path + "/name"));
    return item;
}

MacroGroupContent ReadGroup(const Json& value, const std::string& path) {
    Object(value, path);
    MacroGroupContent group;
    group.info.id = -1;
    group.info.name = FromSystemText(Text(Member(value, path, "name"), path + "/name"));
    group.info.repeat = static_cast<std::int32_t>(
        WholeNumber(Member(value, path, "repeat"), path + "/repeat", kLow, kHigh));
    const std::string stepsPath = path + "/steps";
    const Json& steps = Array(Member(value, path, "steps"), stepsPath);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        group.items.push_back(ReadStep(steps[i], stepsPath + "/" + std::to_string(i)));
    }
    return group;
}

}  // namespace

Json WriteMacroGroups(const std::vector<MacroGroupContent>& groups) {
    Json list = Json::array();
    for (const MacroGroupContent& group : groups) {
        Json steps = Json::array();
        for (const MacroRecordGpItem& item : group.items) steps.push_back(WriteStep(item));
        list.push_back({{"name", ToSystemText(group.info.name)},
                        {"repeat", group.info.repeat},
                        {"steps", std::move(steps)}});
    }
    return list;
}

std::vector<MacroGroupContent> ReadMacroGroups(const Json& value, const std::string& path) {
    const Json& list = Array(value, path);
    std::vector<MacroGroupContent> groups;
    for (std::size_t i = 0; i < list.size(); ++i) {
        groups.push_back(ReadGroup(list[i], path + "/" + std::to_string(i)));
    }
    return groups;
}

}  // namespace persist

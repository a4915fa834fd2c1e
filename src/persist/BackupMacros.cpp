#include "persist/BackupMacros.h"

#include <cstdio>

#include "persist/BackupEntryNames.h"
#include "persist/MacroLimits.h"
#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace persist {
namespace {

using namespace backup_json;

// The states of a step are words; the reader also takes them as the numbers 0 and 1.
Json StateValue(std::int32_t state) {
    return state == 0 ? "down" : "up";
}

std::int32_t InRange(const Json& value, const std::string& path, ValueRange range) {
    return static_cast<std::int32_t>(WholeNumber(value, path, range.low, range.high));
}

std::int32_t State(const Json& value, const std::string& path) {
    if (value.is_string()) {
        if (value == "down") return 0;
        if (value == "up") return 1;
        throw BackupRefusal{{path, "not down or up"}};
    }
    return InRange(value, path, kStepStateRange);
}

// A block's or a group's steps: no more than one keyboard macro holds.
const Json& Steps(const Json& value, const std::string& path) {
    const Json& steps = Array(Member(value, path, "steps"), path + "/steps");
    if (steps.size() > kMaxStepsPerGroup)
        throw BackupRefusal{
            {path + "/steps", "more than " + std::to_string(kMaxStepsPerGroup) + " steps"}};
    return steps;
}

// A block's name is the keyboard's bytes: text when they are UTF-8, else hex digits.
bool IsUtf8(std::string_view text) {
    return FromSystemText(text).find(L'\uFFFD') == std::wstring::npos;
}

std::string HexBytes(std::string_view bytes) {
    std::string text;
    char pair[3];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", c);
        text += pair;
    }
    return text;
}

std::string FromHexBytes(const std::string& text, const std::string& path) {
    std::string bytes;
    if (text.size() % 2 != 0 || !IsHexAfter(text, "", text.size()))
        throw BackupRefusal{{path, "not pairs of hex digits"}};
    for (std::size_t i = 0; i < text.size(); i += 2)
        bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return bytes;
}

// The name a step gets when it is recorded from its key; a step named otherwise keeps its name.
std::wstring RecordedName(std::int32_t code) {
    return std::wstring(FindKeyByCode(static_cast<std::uint32_t>(code)).name);
}

}  // namespace

Json WriteMacroBlock(const macro_block_t& block) {
    Json steps = Json::array();
    for (std::size_t i = 0; i < block.stepCount(); ++i) {
        const macro_step_t& step = block.steps[i];
        steps.push_back({{"key", UsageText(step.key)},
                         {"state", StateValue(step.state())},
                         {"delay", step.delay()}});
    }
    Json json = {{"repeat", block.repeat}, {"steps", steps}};
    const std::string_view name = block.name.text();
    if (IsUtf8(name))
        json["name"] = std::string(name);
    else
        json["nameBytes"] = HexBytes(name);
    // A block may claim more steps than it holds; the claim is kept.
    if (block.count != block.stepCount()) json["count"] = block.count;
    return json;
}

macro_block_t ReadMacroBlock(const Json& value, const std::string& path) {
    Object(value, path);
    macro_block_t block;
    std::string name;
    if (value.contains("nameBytes"))
        name = FromHexBytes(Text(value["nameBytes"], path + "/nameBytes"), path + "/nameBytes");
    else
        name = Text(Member(value, path, "name"), path + "/name");
    if (name.size() >= sizeof block.name.bytes || name.find('\0') != std::string::npos)
        throw BackupRefusal{{path + "/name", "longer than a macro name may be"}};
    block.name.set(name);
    block.repeat = static_cast<std::uint8_t>(
        InRange(Member(value, path, "repeat"), path + "/repeat", kRepeatRange));
    const Json& steps = Steps(value, path);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string at = path + "/steps/" + std::to_string(i);
        const Json& step = Object(steps[i], at);
        const auto usage = UsageFromText(Text(Member(step, at, "key"), at + "/key"));
        if (!usage) throw BackupRefusal{{at + "/key", "no key of that name"}};
        const auto delay = InRange(Member(step, at, "delay"), at + "/delay", kDelayRange);
        const auto state = State(Member(step, at, "state"), at + "/state");
        block.append(
            macro_step_t::make(*usage, static_cast<unsigned>(delay), static_cast<unsigned>(state)));
    }
    if (value.contains("count")) {
        const auto count =
            WholeNumber(value["count"], path + "/count", macro_block_t::MAX_STEPS + 1, 255);
        if (steps.size() != macro_block_t::MAX_STEPS)
            throw BackupRefusal{
                {path + "/count", "more than the steps of a list that is not full"}};
        block.count = static_cast<std::uint8_t>(count);
    }
    return block;
}

Json WriteMacroGroup(const MacroGroupContent& group) {
    Json steps = Json::array();
    for (const MacroRecordGpItem& item : group.items) {
        Json step = {
            {"key", CodeText(item.code)}, {"state", StateValue(item.state)}, {"delay", item.delay}};
        if (item.name != RecordedName(item.code)) step["name"] = ToSystemText(item.name);
        steps.push_back(std::move(step));
    }
    return {
        {"name", ToSystemText(group.info.name)}, {"repeat", group.info.repeat}, {"steps", steps}};
}

MacroGroupContent ReadMacroGroup(const Json& value, const std::string& path) {
    Object(value, path);
    MacroGroupContent group;
    group.info.name = FromSystemText(Text(Member(value, path, "name"), path + "/name"));
    if (group.info.name.size() > kMaxGroupNameLength)
        throw BackupRefusal{
            {path + "/name", "longer than " + std::to_string(kMaxGroupNameLength) + " characters"}};
    group.info.repeat = InRange(Member(value, path, "repeat"), path + "/repeat", kRepeatRange);
    const Json& steps = Steps(value, path);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string at = path + "/steps/" + std::to_string(i);
        const Json& step = Object(steps[i], at);
        const auto code = CodeFromText(Text(Member(step, at, "key"), at + "/key"));
        if (!code) throw BackupRefusal{{at + "/key", "no key of that name"}};
        MacroRecordGpItem item;
        item.code = *code;
        item.state = State(Member(step, at, "state"), at + "/state");
        item.delay = InRange(Member(step, at, "delay"), at + "/delay", kDelayRange);
        item.name = step.contains("name") ? FromSystemText(Text(step["name"], at + "/name"))
                                          : RecordedName(item.code);
        group.items.push_back(std::move(item));
    }
    return group;
}

}  // namespace persist

#include "persist/BackupMacroBlock.h"

#include <cstdio>

#include "persist/BackupStepFields.h"

namespace persist {
namespace {

using namespace backup_json;

constexpr std::size_t kNameBytes = sizeof(macro_block_t{}.name.bytes) - 1;

std::string HexText(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
        text += pair;
    }
    return text;
}

// Names the keyboard holds in another encoding are kept as their bytes in hex.
std::string NameFromHex(const Json& value, const std::string& path) {
    const std::string& text = Text(value, path);
    std::string bytes;
    for (std::size_t i = 0; i + 1 < text.size() && IsHexAfter(text.substr(i, 2), "", 2); i += 2) {
        bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    }
    if (bytes.size() * 2 != text.size()) {
        throw BackupRefusal{{path, "not pairs of hex digits"}};
    }
    return bytes;
}

std::string Name(const Json& value, const std::string& path) {
    const auto hex = value.find("nameBytes");
    if (hex != value.end() && value.contains("name")) {
        throw BackupRefusal{{path + "/nameBytes", "both a name and its bytes"}};
    }
    std::string name = hex == value.end() ? Text(Member(value, path, "name"), path + "/name")
                                          : NameFromHex(*hex, path + "/nameBytes");
    const std::string place = path + (hex == value.end() ? "/name" : "/nameBytes");
    if (name.size() > kNameBytes || name.find('\0') != std::string::npos) {
        throw BackupRefusal{
            {place, "a macro name holds at most " + std::to_string(kNameBytes) + " bytes"}};
    }
    return name;
}

Json WriteStep(const macro_step_t& step) {
    Json json = {{"state", StateJson(step.state())}, {"delay", step.delay()}};
    WriteStepKey(json, step.key, kUsageKeys);
    return json;
}

macro_step_t ReadStep(const Json& value, const std::string& path) {
    Object(value, path);
    const auto key = ReadStepKey(value, path, kUsageKeys);
    const auto delay =
        WholeNumber(Member(value, path, "delay"), path + "/delay", 0, macro_step_t::MAX_DELAY);
    const auto state = ReadState(Member(value, path, "state"), path + "/state", 0, 1);
    return macro_step_t::make(static_cast<std::uint8_t>(key), static_cast<unsigned>(delay),
                              static_cast<unsigned>(state));
}

}  // namespace

Json WriteMacroBlock(const macro_block_t& block) {
    Json json = {{"repeat", block.repeat}, {"steps", Json::array()}};
    const std::string_view name = block.name.text();
    if (IsUtf8(name)) {
        json["name"] = std::string(name);
    } else {
        json["nameBytes"] = HexText(name);
    }
    for (std::size_t i = 0; i < block.stepCount(); ++i) {
        json["steps"].push_back(WriteStep(block.steps[i]));
    }
    // Only a block that claims more steps than it can hold says so.
    if (block.count != block.stepCount()) json["count"] = block.count;
    return json;
}

macro_block_t ReadMacroBlock(const Json& value, const std::string& path) {
    Object(value, path);
    macro_block_t block;
    block.name.set(Name(value, path));
    block.repeat = static_cast<std::uint8_t>(
        WholeNumber(Member(value, path, "repeat"), path + "/repeat", 0, 255));
    const std::string stepsPath = path + "/steps";
    const Json& steps = Array(Member(value, path, "steps"), stepsPath);
    if (steps.size() > macro_block_t::MAX_STEPS) {
        throw BackupRefusal{
            {stepsPath, "more than " + std::to_string(macro_block_t::MAX_STEPS) + " steps"}};
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        block.append(ReadStep(steps[i], stepsPath + "/" + std::to_string(i)));
    }
    const auto count = value.find("count");
    if (count != value.end()) {
        // A claimed count is kept only where it cannot be told from the steps.
        block.count = static_cast<std::uint8_t>(
            WholeNumber(*count, path + "/count", macro_block_t::MAX_STEPS + 1, 255));
        if (steps.size() != macro_block_t::MAX_STEPS) {
            throw BackupRefusal{{path + "/count", "a count past the steps needs every step"}};
        }
    }
    return block;
}

}  // namespace persist

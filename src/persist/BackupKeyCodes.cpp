#include "persist/BackupKeyCodes.h"

#include <algorithm>
#include <array>
#include <map>

#include "persist/BackupKeyNames.h"
#include "persist/BackupMacroBlock.h"

namespace persist {
namespace {

using namespace backup_json;

constexpr unsigned kDirectType = 2;

// Play words of the macro types the program writes, from the first macro type on.
constexpr std::array<const char*, 3> kPlayWords = {"times", "held", "toggle"};

// A function's name only where it leads back to the same code.
std::optional<std::string> FunctionName(const BackupNaming& naming, std::uint16_t value) {
    for (const auto& function : naming.functions) {
        if (function.second != value || !IsUtf8(function.first)) continue;
        const auto first = std::find_if(naming.functions.begin(), naming.functions.end(),
                                        [&](const auto& f) { return f.first == function.first; });
        if (first->second == value) return function.first;
    }
    return std::nullopt;
}

Json PlayJson(unsigned type) {
    const unsigned word = type - macro_code_t::FIRST_MACRO_TYPE;
    if (word < kPlayWords.size()) return kPlayWords[word];
    return type;
}

Json WriteCode(const macro_code_t& code, const KeyboardSnapshot& keyboard,
               const BackupNaming& naming) {
    if (code.type() == kDirectType) {
        if (const auto key = KeyNameOfUsage(code.value())) return {{"kind", "key"}, {"key", *key}};
        if (const auto function = FunctionName(naming, code.value())) {
            return {{"kind", "function"}, {"function", *function}};
        }
    }
    if (code.playsMacro()) {
        const auto block = keyboard.macros.find(code.value());
        if (block != keyboard.macros.end()) {
            return {{"kind", "macro"},
                    {"play", PlayJson(code.type())},
                    {"macro", WriteMacroBlock(block->second)}};
        }
    }
    return {{"kind", "code"}, {"type", code.type()}, {"value", code.value()}};
}

unsigned PlayType(const Json& value, const std::string& path) {
    if (value.is_string()) {
        const auto& word = value.get_ref<const std::string&>();
        const auto it = std::find(kPlayWords.begin(), kPlayWords.end(), word);
        if (it == kPlayWords.end()) {
            throw BackupRefusal{{path, "not \"times\", \"held\", \"toggle\" or a number 3..15"}};
        }
        return macro_code_t::FIRST_MACRO_TYPE +
               static_cast<unsigned>(std::distance(kPlayWords.begin(), it));
    }
    return static_cast<unsigned>(WholeNumber(value, path, macro_code_t::FIRST_MACRO_TYPE, 15));
}

std::uint16_t FunctionCode(const Json& value, const std::string& path, const BackupNaming& naming) {
    const std::string& name = Text(value, path);
    const auto it = std::find_if(naming.functions.begin(), naming.functions.end(),
                                 [&](const auto& f) { return f.first == name; });
    if (it == naming.functions.end()) {
        throw BackupRefusal{{path, "no function is named \"" + name + "\""}};
    }
    if (it->second > macro_code_t::VALUE_MASK) {
        throw BackupRefusal{{path, "the function's code does not fit a key"}};
    }
    return it->second;
}

// What one key entry reads as; a macro's slot is chosen once every entry is known.
struct ReadAssignment {
    macro_code_t code;
    std::optional<macro_block_t> macro;
};

ReadAssignment ReadCode(const Json& value, const std::string& path, const BackupNaming& naming) {
    Object(value, path);
    const auto field = [&](const char* name) -> const Json& { return Member(value, path, name); };
    const auto place = [&](const char* name) { return path + "/" + name; };
    const std::string& kind = Text(field("kind"), place("kind"));
    if (kind == "key") {
        const std::string& name = Text(field("key"), place("key"));
        const auto usage = UsageOfKeyName(name);
        if (!usage) throw BackupRefusal{{place("key"), "no key is named \"" + name + "\""}};
        return {macro_code_t::make(kDirectType, *usage), std::nullopt};
    }
    if (kind == "function") {
        return {macro_code_t::make(kDirectType,
                                   FunctionCode(field("function"), place("function"), naming)),
                std::nullopt};
    }
    if (kind == "macro") {
        const unsigned type = PlayType(field("play"), place("play"));
        return {macro_code_t::make(type, 0), ReadMacroBlock(field("macro"), place("macro"))};
    }
    if (kind == "code") {
        const auto type = WholeNumber(field("type"), place("type"), 0, 15);
        const auto number =
            WholeNumber(field("value"), place("value"), 0, macro_code_t::VALUE_MASK);
        return {macro_code_t::make(static_cast<unsigned>(type), static_cast<unsigned>(number)),
                std::nullopt};
    }
    throw BackupRefusal{{place("kind"), "not \"key\", \"function\", \"macro\" or \"code\""}};
}

}  // namespace

Json WriteKeyCodes(const KeyboardSnapshot& keyboard, const BackupEntryNames& keys,
                   const BackupNaming& naming) {
    Json json = Json::object();
    for (std::size_t i = 0; i < keyboard.keyCodes.size(); ++i) {
        const macro_code_t& code = keyboard.keyCodes[i];
        // Type 0 with a value is kept: only an all-zero code is no assignment.
        if (code.code() == 0) continue;
        json[keys.Label(i)] = WriteCode(code, keyboard, naming);
    }
    return json;
}

void ReadKeyCodes(const Json& value, const std::string& path, const BackupEntryNames& keys,
                  const BackupNaming& naming, KeyboardSnapshot& keyboard) {
    std::map<std::size_t, ReadAssignment> read;
    keys.ReadEach(value, path,
                  [&](std::size_t entry, const Json& assignment, const std::string& place) {
                      read.emplace(entry, ReadCode(assignment, place, naming));
                  });
    keyboard.keyCodes.assign(keys.size(), macro_code_t{});
    keyboard.macros.clear();
    int slot = 0;
    for (auto& [entry, assignment] : read) {
        if (assignment.macro) {
            assignment.code.setValue(static_cast<unsigned>(slot));
            keyboard.macros.emplace(slot++, *assignment.macro);
        }
        keyboard.keyCodes[entry] = assignment.code;
    }
}

}  // namespace persist

#include "persist/BackupAssignments.h"

#include <algorithm>
#include <array>

#include "persist/BackupEntryNames.h"
#include "persist/BackupMacros.h"
#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace persist {
namespace {

using namespace backup_json;

// How the program writes a single key or a function key.
constexpr unsigned kDirectType = 2;
// The play modes of macro types 3, 4 and 5; higher types stay numbers.
constexpr std::array<const char*, 3> kPlays = {"times", "held", "toggle"};

const std::pair<std::string, std::uint16_t>* FunctionNamed(const BackupNaming& naming,
                                                           const std::string& name) {
    for (const auto& function : naming.functions)
        if (function.first == name) return &function;
    return nullptr;
}

// Only a name that leads back to the same code: function names may be doubled.
const std::string* FunctionOf(const BackupNaming& naming, unsigned code) {
    for (const auto& function : naming.functions)
        if (function.second == code && FunctionNamed(naming, function.first)->second == code)
            return &function.first;
    return nullptr;
}

// A macro goes to `macros` under the lowest slot number neither there nor `taken`.
macro_code_t TakeSlot(unsigned type, const macro_block_t& block, const std::string& path,
                      const std::set<int>& taken, std::map<int, macro_block_t>& macros) {
    int slot = 0;
    while (macros.count(slot) || taken.count(slot)) ++slot;
    if (slot > static_cast<int>(macro_code_t::VALUE_MASK))
        throw BackupRefusal{{path, "more than a keyboard can hold"}};
    macros[slot] = block;
    return macro_code_t::make(type, static_cast<unsigned>(slot));
}

Json CodeObject(macro_code_t code) {
    return {{"kind", "code"}, {"type", code.type()}, {"value", code.value()}};
}

Json PlayValue(unsigned type) {
    const unsigned mode = type - macro_code_t::FIRST_MACRO_TYPE;
    if (mode < kPlays.size()) return kPlays[mode];
    return type;
}

unsigned PlayType(const Json& value, const std::string& path) {
    if (value.is_string()) {
        const auto found = std::find(kPlays.begin(), kPlays.end(), value.get<std::string>());
        if (found == kPlays.end()) throw BackupRefusal{{path, "not times, held or toggle"}};
        return macro_code_t::FIRST_MACRO_TYPE + static_cast<unsigned>(found - kPlays.begin());
    }
    return static_cast<unsigned>(WholeNumber(value, path, macro_code_t::FIRST_MACRO_TYPE, 15));
}

}  // namespace

Json WriteAssignment(macro_code_t code, const std::map<int, macro_block_t>& macros,
                     const BackupNaming& naming) {
    if (code.playsMacro()) {
        const auto block = macros.find(code.value());
        if (block == macros.end()) return CodeObject(code);
        // A combination is named as the settings name it, played once as they assign it.
        const std::string* combination = naming.CombinationOf(block->second);
        if (combination && code.type() == macro_code_t::FIRST_MACRO_TYPE)
            return {{"kind", "combination"}, {"combination", *combination}};
        return {{"kind", "macro"},
                {"play", PlayValue(code.type())},
                {"macro", WriteMacroBlock(block->second)}};
    }
    if (code.type() == kDirectType) {
        const KeyTableEntry& key = FindKeyByUsage(code.value());
        const KeyTableEntry* back = key.isEmpty() ? nullptr : KeyByName(ToSystemText(key.name));
        if (back && back->usage == code.value())
            return {{"kind", "key"}, {"key", ToSystemText(key.name)}};
        if (const std::string* function = FunctionOf(naming, code.value()))
            return {{"kind", "function"}, {"function", *function}};
    }
    return CodeObject(code);
}

macro_code_t ReadAssignment(const Json& value, const std::string& path, const BackupNaming& naming,
                            const std::set<int>& taken, std::map<int, macro_block_t>& macros) {
    Object(value, path);
    const std::string& kind = Text(Member(value, path, "kind"), path + "/kind");
    if (kind == "key") {
        const KeyTableEntry* key = KeyByName(Text(Member(value, path, "key"), path + "/key"));
        if (!key || key->usage > macro_code_t::VALUE_MASK)
            throw BackupRefusal{{path + "/key", "no key of that name"}};
        return macro_code_t::make(kDirectType, key->usage);
    }
    if (kind == "function") {
        const std::string& name = Text(Member(value, path, "function"), path + "/function");
        const auto* function = FunctionNamed(naming, name);
        if (!function) throw BackupRefusal{{path + "/function", "no function key of that name"}};
        if (function->second > macro_code_t::VALUE_MASK)
            throw BackupRefusal{
                {path + "/function", "a function key whose code does not fit a key"}};
        return macro_code_t::make(kDirectType, function->second);
    }
    if (kind == "macro") {
        const unsigned type = PlayType(Member(value, path, "play"), path + "/play");
        const macro_block_t block = ReadMacroBlock(Member(value, path, "macro"), path + "/macro");
        return TakeSlot(type, block, path, taken, macros);
    }
    if (kind == "combination") {
        const std::string& name = Text(Member(value, path, "combination"), path + "/combination");
        const auto found =
            std::find_if(naming.combinations.begin(), naming.combinations.end(),
                         [&name](const auto& combination) { return combination.first == name; });
        if (found == naming.combinations.end())
            throw BackupRefusal{{path + "/combination", "no combination of that name"}};
        return TakeSlot(macro_code_t::FIRST_MACRO_TYPE, found->second, path, taken, macros);
    }
    if (kind == "code") {
        const auto type = WholeNumber(Member(value, path, "type"), path + "/type", 0, 15);
        const auto number =
            WholeNumber(Member(value, path, "value"), path + "/value", 0, macro_code_t::VALUE_MASK);
        return macro_code_t::make(static_cast<unsigned>(type), static_cast<unsigned>(number));
    }
    throw BackupRefusal{{path + "/kind", "not key, function, macro, combination or code"}};
}

}  // namespace persist

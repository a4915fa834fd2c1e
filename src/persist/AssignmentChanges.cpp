#include "persist/AssignmentChanges.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "persist/BackupRestorePlan.h"
#include "records/JoinedText.h"
#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace persist {
namespace {

constexpr std::uint8_t kFirstModifier = 0xE0;  // HID usages E0-E7: Ctrl, Shift, Alt, Win
constexpr std::uint8_t kLastModifier = 0xE7;
constexpr std::array<const char*, 4> kModifierNames = {"Ctrl", "Shift", "Alt", "Win"};
constexpr std::uint8_t kEnter = 0x28;
constexpr std::uint8_t kPadEnter = 0x58;

bool IsModifier(std::uint8_t usage) {
    return usage >= kFirstModifier && usage <= kLastModifier;
}

// Left and right modifiers count as one.
int ModifierOf(std::uint8_t usage) {
    return (usage - kFirstModifier) % 4;
}

std::string KeyText(std::uint8_t usage) {
    const KeyTableEntry& key = FindKeyByUsage(usage);
    return key.isEmpty() ? "key " + std::to_string(usage) : ToSystemText(key.name);
}

std::string Chord(const std::array<bool, 4>& held, std::string key) {
    // A letter typed alone reads as typed; with modifiers, as the key's label.
    const bool alone = std::none_of(held.begin(), held.end(), [](bool h) { return h; });
    if (alone && key.size() == 1 && std::isalpha(static_cast<unsigned char>(key[0])))
        key[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[0])));
    std::vector<std::string> parts;
    for (std::size_t m = 0; m < held.size(); ++m)
        if (held[m]) parts.emplace_back(kModifierNames[m]);
    if (!key.empty()) parts.push_back(key);
    return Joined(parts, "+");
}

struct MacroTraits {
    bool win = false;
    bool ctrlAlt = false;
    bool enter = false;
};

MacroTraits TraitsOf(const macro_block_t& block) {
    MacroTraits traits;
    std::array<bool, 4> held{};
    for (std::size_t i = 0; i < block.stepCount(); ++i) {
        const macro_step_t& step = block.steps[i];
        const bool down = step.state() == macro_step_t::KEY_DOWN;
        if (IsModifier(step.key)) held[static_cast<std::size_t>(ModifierOf(step.key))] = down;
        if (!down) continue;
        traits.win = traits.win || held[3];
        traits.ctrlAlt = traits.ctrlAlt || (held[0] && held[2]);
        traits.enter = traits.enter || step.key == kEnter || step.key == kPadEnter;
    }
    return traits;
}

// Keys whose own meaning people rely on without looking: the characters and the keys that
// move, confirm, delete or hold.
bool IsCommonKey(const std::string& name) {
    if (name.size() == 1) return true;
    static const std::array<const char*, 16> common = {
        "Enter",    "SpaceBar",  "Space",      "Backspace", "Tab",       "Esc",
        "CapsLock", "ShiftLeft", "ShiftRight", "CtrlLeft",  "CtrlRight", "AltLeft",
        "AltRight", "Delete",    "WinLeft",    "WinRight"};
    return std::find(common.begin(), common.end(), name) != common.end() ||
           name.rfind("Arrow", 0) == 0;
}

std::string KeyName(const BackupNaming& naming, std::size_t key) {
    if (key < naming.codeKeys.size() && !naming.codeKeys[key].empty()) return naming.codeKeys[key];
    return "#" + std::to_string(key);
}

std::string Plays(macro_code_t code, const KeyboardSnapshot& target, const BackupNaming& naming) {
    if (!code.hasAssignment()) return "nothing (its assignment is removed)";
    if (code.playsMacro()) {
        const auto block = target.macros.find(code.value());
        if (block == target.macros.end()) return "a macro slot the file does not hold";
        if (const std::string* combination = naming.CombinationOf(block->second))
            return "combination " + *combination + ": " + SpellMacro(block->second);
        return "macro \"" + std::string(block->second.name.text()) +
               "\": " + SpellMacro(block->second);
    }
    // A key and a function may share a code: both are named.
    const KeyTableEntry& key = FindKeyByUsage(code.value());
    std::string text = key.isEmpty() ? "" : "key " + ToSystemText(key.name);
    for (const auto& [name, value] : naming.functions) {
        if (value != code.value()) continue;
        text += text.empty() ? "function " + name : " (or function " + name + ")";
        break;
    }
    return text.empty() ? "code " + std::to_string(code.code()) : text;
}

}  // namespace

std::string SpellMacro(const macro_block_t& block) {
    std::vector<std::string> tokens;
    std::array<bool, 4> held{};
    bool keySinceModifier = false;
    for (std::size_t i = 0; i < block.stepCount(); ++i) {
        const macro_step_t& step = block.steps[i];
        const bool down = step.state() == macro_step_t::KEY_DOWN;
        if (IsModifier(step.key)) {
            const auto m = static_cast<std::size_t>(ModifierOf(step.key));
            // A modifier pressed and let go alone is a keystroke of its own (Win opens a menu).
            if (!down && held[m] && !keySinceModifier) tokens.push_back(Chord(held, ""));
            if (down && !held[m]) keySinceModifier = false;
            held[m] = down;
            continue;
        }
        if (!down) continue;
        tokens.push_back(Chord(held, KeyText(step.key)));
        keySinceModifier = true;
    }
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i > 0) {
            const bool run = tokens[i].size() == 1 && tokens[i - 1].size() == 1;
            text += run ? " " : ", ";
        }
        text += tokens[i];
    }
    return text.empty() ? "no keys" : text;
}

std::string AssignmentChange::Line() const {
    std::string line = key + " \u2192 " + plays;
    for (std::size_t i = 0; i < warnings.size(); ++i)
        line += (i == 0 ? "  (!) " : ", ") + warnings[i];
    return line;
}

std::vector<AssignmentChange> AssignmentChanges(const KeyboardSnapshot& target,
                                                const KeyboardSnapshot& now,
                                                const BackupNaming& naming) {
    std::vector<AssignmentChange> changes;
    const std::size_t keys = std::min(target.keyCodes.size(), now.keyCodes.size());
    for (std::size_t k = 0; k < keys; ++k) {
        if (SameAssignment(target, k, now, k)) continue;
        const macro_code_t code = target.keyCodes[k];
        AssignmentChange change{KeyName(naming, k), Plays(code, target, naming), {}};
        if (code.hasAssignment() && IsCommonKey(change.key))
            change.warnings.push_back("remaps a common key");
        if (const auto block = target.macros.find(code.value());
            code.playsMacro() && block != target.macros.end()) {
            const MacroTraits traits = TraitsOf(block->second);
            if (traits.win) change.warnings.push_back("holds Win");
            if (traits.ctrlAlt) change.warnings.push_back("holds Ctrl+Alt");
            if (traits.enter) change.warnings.push_back("presses Enter");
        }
        changes.push_back(std::move(change));
    }
    return changes;
}

}  // namespace persist

// The keyboard backup file: every byte that carries meaning comes back, the values read as
// words and names, and a bad file is refused at the place that is wrong.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>

#include "persist/KeyboardBackup.h"

namespace {

using persist::BackupNaming;
using persist::KeyboardBackup;

BackupNaming Naming() {
    BackupNaming naming;
    naming.colourKeys = {"Esc", "F1", "A", "", "\\", "\\"};
    naming.codeKeys = {"Esc", "F1", "F2", "F3", "F4", "F5", "", "\\", "\\"};
    naming.functions = {{"Mute", 226}, {"Calculator", 402}};
    return naming;
}

macro_block_t Block(const char* name, std::uint8_t repeat) {
    macro_block_t block;
    block.name.set(name);
    block.repeat = repeat;
    block.append(macro_step_t::make(0xE0, 100, 0));     // CtrlLeft
    block.append(macro_step_t::make(0x99, 0x7FFF, 1));  // a usage no key has
    return block;
}

// Odd bytes everywhere: the reserved bit, alpha bytes, a direct type no window writes, a block
// name that is not UTF-8, a block claiming more steps than it holds, a key playing a slot
// without a macro.
KeyboardBackup Odd() {
    KeyboardBackup backup;
    KeyboardSnapshot& k = backup.keyboard;
    k.productId = 0x1514;
    k.modeNames = {"Static", "Wave", "Rain"};
    for (int p = 0; p < 2; ++p) {
        KeyboardSnapshot::Profile profile;
        profile.activeMode = p + 1;
        for (int m = 0; m < 3; ++m) {
            _reg_mode_t reg;
            auto* bytes = reinterpret_cast<unsigned char*>(&reg);
            std::fill(bytes, bytes + sizeof reg, static_cast<unsigned char>(0x11 * (p + m + 1)));
            profile.registers.push_back(reg);
        }
        k.profiles.push_back(profile);
    }
    k.activeProfile = 1;
    k.colourSets = {std::vector<rgba_t>(6), std::vector<rgba_t>(6)};
    k.colourSets[0][0] = {0x10, 0x20, 0x30, 0};
    k.colourSets[1][5] = {1, 2, 3, 0xAB};
    k.activeColourSet = 1;
    k.keyCodes.resize(9);
    k.keyCodes[1] = macro_code_t::make(2, 0x05);   // F1 plays B
    k.keyCodes[2] = macro_code_t::make(2, 402);    // F2 plays Calculator
    k.keyCodes[3] = macro_code_t::make(1, 0x123);  // F3: a direct type no window writes
    k.keyCodes[4] = macro_code_t::make(4, 0);      // F4 plays slot 0 while held
    k.keyCodes[5] = macro_code_t::make(7, 3);      // F5: an unnamed play type
    k.keyCodes[6] = macro_code_t::make(3, 9);      // a slot without a macro
    k.keyCodes[8] = macro_code_t::make(0, 0x44);   // type 0 but a value
    k.macros[0] = Block("Copy", 1);
    k.macros[3] = Block("\xFF\xFEname", 2);
    k.macros[3].count = 200;  // the steps past the second are zero bytes
    persist::MacroGroupContent group;
    group.info = {5, 3, L"Gr\u00fc\u00dfe"};
    group.items = {{0x1E, 0, 20, L"A"}, {0x1E0, 1, 0, L""}, {0x1E, 1, 32767, L"A"}};
    backup.groups.push_back(group);
    backup.rules = rules::AppRules{
        true, {{"xterm", {1, "Wave"}}, {"org.gnome.Terminal", {2, {}}}}, rules::Target{0, {}}};
    return backup;
}

bool SameBytes(const KeyboardSnapshot& a, const KeyboardSnapshot& b) {
    if (a.profiles.size() != b.profiles.size()) return false;
    for (std::size_t p = 0; p < a.profiles.size(); ++p) {
        const auto& x = a.profiles[p].registers;
        const auto& y = b.profiles[p].registers;
        if (x.size() != y.size() || std::memcmp(x.data(), y.data(), x.size() * sizeof x[0]) != 0)
            return false;
    }
    return true;
}

TEST(KeyboardBackup, EveryMeaningfulByteComesBackAndTheTextIsStable) {
    const KeyboardBackup odd = Odd();
    const std::string text = persist::WriteKeyboardBackup(odd, Naming());
    const persist::BackupReadResult read = persist::ReadKeyboardBackup(text, Naming());
    ASSERT_TRUE(read.backup) << read.error.where << ": " << read.error.what;
    const KeyboardSnapshot& k = read.backup->keyboard;
    EXPECT_TRUE(SameBytes(k, odd.keyboard));
    EXPECT_EQ(k.modeNames, odd.keyboard.modeNames);
    EXPECT_EQ(k.profiles[1].activeMode, 2);
    EXPECT_EQ(k.activeProfile, 1);
    EXPECT_EQ(k.colourSets, odd.keyboard.colourSets);
    EXPECT_EQ(k.activeColourSet, 1);
    for (std::size_t key : {1, 2, 3, 8}) EXPECT_EQ(k.keyCodes[key], odd.keyboard.keyCodes[key]);
    // Macros get slots of the reader's choosing, around the slot the file has no macro for.
    EXPECT_EQ(k.keyCodes[6], odd.keyboard.keyCodes[6]);
    EXPECT_EQ(k.macros.count(9), 0u);
    for (std::size_t key : {4, 5}) {
        const macro_code_t code = k.keyCodes[key];
        EXPECT_EQ(code.type(), odd.keyboard.keyCodes[key].type());
        ASSERT_EQ(k.macros.count(code.value()), 1u) << key;
        EXPECT_EQ(k.macros.at(code.value()),
                  odd.keyboard.macros.at(odd.keyboard.keyCodes[key].value()));
    }
    EXPECT_EQ(k.macros.at(k.keyCodes[5].value()).count, 200);
    ASSERT_EQ(read.backup->groups.size(), 1u);
    const persist::MacroGroupContent& group = read.backup->groups[0];
    EXPECT_EQ(group.info.name, L"Gr\u00fc\u00dfe");
    EXPECT_EQ(group.info.repeat, 3);
    ASSERT_EQ(group.items.size(), 3u);
    for (auto a = group.items.begin(), b = odd.groups[0].items.begin(); a != group.items.end();
         ++a, ++b)
        EXPECT_TRUE(a->code == b->code && a->state == b->state && a->delay == b->delay);
    EXPECT_EQ(read.backup->rules, odd.rules);
    EXPECT_EQ(persist::WriteKeyboardBackup(*read.backup, Naming()), text);
}

TEST(KeyboardBackup, ValuesReadAsNamesAndWords) {
    const std::string text = persist::WriteKeyboardBackup(Odd(), Naming());
    for (const char* expected :
         {"\"format\": \"keylume-keyboard\"", "\"version\": 1", "\"productId\": \"0x1514\"",
          "\"activeMode\": \"Rain\"", "\"Esc\": \"#102030\"", "\"entry 5\": \"#010203AB\"",
          "\"F1\": {\n      \"key\": \"B\"", "\"function\": \"Calculator\"", "\"play\": \"held\"",
          "\"play\": 7", "\"key\": \"CtrlLeft\"", "\"key\": \"usage 0x99\"", "\"state\": \"up\"",
          "\"key\": \"code 0x1E0\"", "\"direction\": \"", "\"nameBytes\": \"FFFE6E616D65\""})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Nothing assigned, nothing written: Esc has no entry under "keys".
    EXPECT_EQ(text.find("\"Esc\": {"), std::string::npos);
}

TEST(KeyboardBackup, ABadFileIsRefusedAtThePlaceThatIsWrong) {
    const std::string good = persist::WriteKeyboardBackup(Odd(), Naming());
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    auto times = [](int n, const std::string& text) {
        std::string all;
        for (int i = 0; i < n; ++i) all += text;
        return all;
    };
    const std::string groupSteps = "\"repeat\": 3,\n      \"steps\": [";
    const struct {
        std::string text;
        const char* where;
    } cases[] = {
        {good.substr(0, good.size() - 40), "/"},
        {"[]", "/"},
        {with("\"version\": 1", "\"version\": 9"), "/version"},
        {with("\"format\": \"keylume-keyboard\"", "\"format\": \"other\""), "/format"},
        {with("\"count\": 2,\n    \"list\"", "\"count\": 3,\n    \"list\""), "/profiles/list"},
        {with("\"activeMode\": \"Wave\"", "\"activeMode\": \"Snake\""),
         "/profiles/list/0/activeMode"},
        {with("\"Rain\": {", "\"Snake\": {"), "/profiles/list/0/registers/Snake"},
        {with("\"speed\": 1", "\"speed\": 16"), "/profiles/list/0/registers/Static/speed"},
        {with("\"direction\": \"", "\"direction\": \"sideways"),
         "/profiles/list/0/registers/Rain/direction"},
        {with("\"Esc\": \"#102030\"", "\"Esc\": \"#10203\""), "/colourSets/sets/0/Esc"},
        {with("\"Esc\": \"#102030\"", "\"Enter\": \"#102030\""), "/colourSets/sets/0/Enter"},
        {with("\"entry 5\": \"#010203AB\"", "\"entry 6\": \"#010203AB\""),
         "/colourSets/sets/1/entry 6"},
        {with("\"active\": 2,\n    \"sets\"", "\"active\": 3,\n    \"sets\""),
         "/colourSets/active"},
        {with("\"function\": \"Calculator\"", "\"function\": \"Teleport\""), "/keys/F2/function"},
        {with("\"key\": \"B\"", "\"key\": \"Nokey\""), "/keys/F1/key"},
        {with("\"kind\": \"key\"", "\"kind\": \"dance\""), "/keys/F1/kind"},
        {with("\"play\": \"held\"", "\"play\": \"often\""), "/keys/F4/play"},
        {with("\"delay\": 100", "\"delay\": 40000"), "/keys/F4/macro/steps/0/delay"},
        {with("\"key\": \"code 0x1E0\"", "\"key\": \"code 0xZZ\""), "/macroGroups/0/steps/1/key"},
        {with("\"macroGroups\": [", "\"macroGroups\": {\"x\": [") + "", "/"},
        // The limits every macro file shares.
        {with("\"name\": \"Gr\u00fc\u00dfe\"", "\"name\": \"" + std::string(38, 'n') + "\""),
         "/macroGroups/0/name"},
        {with("\"repeat\": 3", "\"repeat\": -5"), "/macroGroups/0/repeat"},
        {with(groupSteps, groupSteps + times(107, R"({"delay": 0, "key": "A", "state": "up"},)")),
         "/macroGroups/0/steps"},
        {with("\"delay\": 20", "\"delay\": -7"), "/macroGroups/0/steps/0/delay"},
        {with("\"delay\": 20,\n          \"key\": \"A\",\n          \"state\": \"down\"",
              "\"delay\": 20,\n          \"key\": \"A\",\n          \"state\": 123456"),
         "/macroGroups/0/steps/0/state"},
        {with("\"Esc\": \"#102030\"", "\"Esc\": \"#102030\", \"Esc\": \"#FFFFFF\""),
         "/colourSets/sets/0/Esc"},
        {with("\"delay\": 100", "\"delay\": 100, \"delay\": 5"), "/keys/F4/macro/steps/0/delay"},
        {with("\"enabled\": true", "\"enabled\": 1"), "/applicationRules/enabled"},
        {with("\"app\": \"xterm\"", "\"app\": \"\""), "/applicationRules/rules/0/app"},
        {with("\"app\": \"org.gnome.Terminal\"", "\"app\": \"XTERM\""),
         "/applicationRules/rules/1/app"},
        {with("\"profile\": 1", "\"profile\": 256"), "/applicationRules/rules/0/profile"},
    };
    for (const auto& bad : cases) {
        const persist::BackupReadResult read = persist::ReadKeyboardBackup(bad.text, Naming());
        EXPECT_FALSE(read.backup) << bad.where;
        EXPECT_EQ(read.error.where, bad.where) << read.error.what;
        EXPECT_FALSE(read.error.what.empty()) << bad.where;
    }
}

// Members given twice at the top, deep in a register, and under names a pointer must escape.
TEST(KeyboardBackup, ANameGivenTwiceInOneObjectIsRefusedAtTheSecond) {
    const std::string good = persist::WriteKeyboardBackup(Odd(), Naming());
    auto doubled = [&](const std::string& member) {
        std::string text = good;
        const auto at = text.find(member);
        EXPECT_NE(at, std::string::npos) << member;
        const auto end = text.find('\n', at);
        return at == std::string::npos ? text : text.insert(end + 1, text.substr(at, end - at + 1));
    };
    const struct {
        std::string text;
        const char* where;
    } cases[] = {
        {doubled("\"productId\": "), "/productId"},
        {doubled("\"direction\": "), "/profiles/list/0/registers/Rain/direction"},
        {R"({"a": [0, {"b": [{}, {"c~/": 1, "c~/": 2}]}]})", "/a/1/b/1/c~0~1"},
    };
    for (const auto& bad : cases) {
        const persist::BackupReadResult read = persist::ReadKeyboardBackup(bad.text, Naming());
        EXPECT_FALSE(read.backup) << bad.where;
        EXPECT_EQ(read.error.where, bad.where) << read.error.what;
    }
}

// A real backup padded to the limit is read; a byte more, or a level deeper, is refused by what
// it is before anything else is checked.
TEST(KeyboardBackup, TextsPastTheLengthOrDepthLimitAreRefused) {
    const std::string good = persist::WriteKeyboardBackup(Odd(), Naming());
    const std::string full = good + std::string(persist::kMaxBackupTextBytes - good.size(), ' ');
    EXPECT_TRUE(persist::ReadKeyboardBackup(full, Naming()).backup);
    auto nested = [](std::size_t levels) {
        return std::string(levels, '[') + std::string(levels, ']');
    };
    const struct {
        std::string text;
        const char* what;
    } cases[] = {
        {full + " ", "longer than 1048576 bytes"},
        {nested(persist::kMaxBackupDepth + 1), "nested deeper than 16 levels"},
        {nested(200000), "nested deeper than 16 levels"},
        {nested(persist::kMaxBackupDepth), "not an object"},
    };
    for (const auto& bad : cases) {
        const persist::BackupReadResult read = persist::ReadKeyboardBackup(bad.text, Naming());
        EXPECT_FALSE(read.backup) << bad.what;
        EXPECT_EQ(read.error.where, "/") << bad.what;
        EXPECT_NE(read.error.what.find(bad.what), std::string::npos) << read.error.what;
    }
}

// The keyboard's own names come back, even those the profiles can only name by number.
TEST(KeyboardBackup, EmptyAndDoubledModeNamesComeBackAsTheyWere) {
    KeyboardBackup backup = Odd();
    KeyboardSnapshot& k = backup.keyboard;
    k.modeNames = {"Wave", "", "Wave", "mode 0"};
    for (KeyboardSnapshot::Profile& profile : k.profiles) {
        profile.registers.push_back(profile.registers[0]);
        profile.registers[3].settings = 0x4F;
    }
    k.profiles[0].activeMode = 2;
    k.profiles[1].activeMode = 3;
    const std::string text = persist::WriteKeyboardBackup(backup, Naming());
    EXPECT_NE(text.find("\"activeMode\": \"mode 2\""), std::string::npos);
    const persist::BackupReadResult read = persist::ReadKeyboardBackup(text, Naming());
    ASSERT_TRUE(read.backup) << read.error.where << ": " << read.error.what;
    EXPECT_EQ(read.backup->keyboard.modeNames, k.modeNames);
    EXPECT_EQ(read.backup->keyboard.profiles[0].activeMode, 2);
    EXPECT_EQ(read.backup->keyboard.profiles[1].activeMode, 3);
    EXPECT_TRUE(SameBytes(read.backup->keyboard, k));
    EXPECT_EQ(persist::WriteKeyboardBackup(*read.backup, Naming()), text);
}

// Key entries named against the alphabet, a doubled function name and a code too wide for a key.
TEST(KeyboardBackup, FunctionsAndMacrosComeBackAsTheKeysHadThem) {
    BackupNaming naming;
    naming.colourKeys = {"Esc"};
    naming.codeKeys = {"Z", "A", "B", "C"};
    naming.functions = {{"Volume up", 0xE9}, {"Volume up", 0xEA}, {"Launch", 0x1234}};
    naming.combinations = {{"Copy", Block("Copy", 3)}};
    KeyboardBackup backup = Odd();
    KeyboardSnapshot& k = backup.keyboard;
    k.colourSets = {{rgba_t{1, 2, 3, 4}}};
    k.activeColourSet = 0;
    k.keyCodes = {macro_code_t::make(3, 5), macro_code_t::make(4, 6), macro_code_t::make(2, 0xEA),
                  macro_code_t::make(3, 9)};
    k.macros = {{5, Block("Z first", 1)}, {6, Block("A second", 2)}, {9, Block("Copy", 3)}};
    const std::string text = persist::WriteKeyboardBackup(backup, naming);
    // A combination is written by its name.
    EXPECT_EQ(nlohmann::json::parse(text)["keys"]["C"],
              (nlohmann::json{{"kind", "combination"}, {"combination", "Copy"}}));
    const persist::BackupReadResult read = persist::ReadKeyboardBackup(text, naming);
    ASSERT_TRUE(read.backup) << read.error.where << ": " << read.error.what;
    const KeyboardSnapshot& back = read.backup->keyboard;
    // The second "Volume up" cannot be told by its name: it stays a number.
    EXPECT_EQ(back.keyCodes[2], k.keyCodes[2]);
    EXPECT_EQ(back.keyCodes[0], macro_code_t::make(3, 0));
    EXPECT_EQ(back.keyCodes[1], macro_code_t::make(4, 1));
    EXPECT_EQ(back.macros.at(0), k.macros.at(5));
    EXPECT_EQ(back.macros.at(1), k.macros.at(6));
    EXPECT_EQ(back.macros.at(2), k.macros.at(9));

    nlohmann::json launch = nlohmann::json::parse(text);
    launch["keys"]["B"] = {{"kind", "function"}, {"function", "Launch"}};
    const persist::BackupReadResult refused = persist::ReadKeyboardBackup(launch.dump(), naming);
    EXPECT_FALSE(refused.backup);
    EXPECT_EQ(refused.error.where, "/keys/B/function") << refused.error.what;
    launch["keys"]["C"]["combination"] = "Paste";
    launch["keys"]["B"] = {{"kind", "key"}, {"key", "B"}};
    EXPECT_EQ(persist::ReadKeyboardBackup(launch.dump(), naming).error.where,
              "/keys/C/combination");
}

TEST(KeyboardBackup, AGroupStepNamedOtherwiseThanItsKeyKeepsItsName) {
    KeyboardBackup backup = Odd();
    std::list<MacroRecordGpItem>& items = backup.groups[0].items;
    items.push_back({0x47, 0, 1, L"Home/Pad 7"});  // recorded with NumLock off
    items.push_back({0x1E, 1, 1, L""});
    const std::string text = persist::WriteKeyboardBackup(backup, Naming());
    EXPECT_NE(text.find("\"name\": \"Home/Pad 7\""), std::string::npos);
    const persist::BackupReadResult read = persist::ReadKeyboardBackup(text, Naming());
    ASSERT_TRUE(read.backup) << read.error.where << ": " << read.error.what;
    EXPECT_EQ(read.backup->groups[0].items, items);
}

TEST(KeyboardBackup, AKeyboardWithoutColourSetsReadsBack) {
    KeyboardBackup backup = Odd();
    backup.keyboard.colourSets.clear();
    backup.keyboard.activeColourSet = 0;
    const std::string text = persist::WriteKeyboardBackup(backup, Naming());
    const persist::BackupReadResult read = persist::ReadKeyboardBackup(text, Naming());
    ASSERT_TRUE(read.backup) << read.error.where << ": " << read.error.what;
    EXPECT_TRUE(read.backup->keyboard.colourSets.empty());
    EXPECT_EQ(read.backup->keyboard.activeColourSet, 0);
    EXPECT_EQ(persist::WriteKeyboardBackup(*read.backup, Naming()), text);
}

}  // namespace

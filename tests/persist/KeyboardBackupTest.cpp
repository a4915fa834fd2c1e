#include "persist/KeyboardBackup.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>

#include "persist/BackupSamples.h"

namespace {

using namespace backup_samples;
using nlohmann::json;
using persist::ReadKeyboardBackup;
using persist::WriteKeyboardBackup;

persist::KeyboardBackup ReadBack(const std::string& text) {
    const auto result = ReadKeyboardBackup(text, Naming());
    EXPECT_TRUE(result.backup.has_value()) << result.error.where << ": " << result.error.what;
    return result.backup.value_or(persist::KeyboardBackup{});
}

TEST(KeyboardBackupTest, WriteReadWriteGivesTheSameBytes) {
    const std::string first = WriteKeyboardBackup(Backup(), Naming());
    const std::string second = WriteKeyboardBackup(ReadBack(first), Naming());
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.back(), '\n');
}

// memcmp: the register's own comparison skips the reserved bit.
void ExpectSameRegisters(const std::vector<_reg_mode_t>& a, const std::vector<_reg_mode_t>& b) {
    ASSERT_EQ(b.size(), a.size());
    EXPECT_EQ(std::memcmp(b.data(), a.data(), a.size() * sizeof(_reg_mode_t)), 0);
}

TEST(KeyboardBackupTest, EveryRecordComesBackByteForByte) {
    const persist::KeyboardBackup original = Backup();
    const persist::KeyboardBackup back = ReadBack(WriteKeyboardBackup(original, Naming()));
    const KeyboardSnapshot& a = original.keyboard;
    const KeyboardSnapshot& b = back.keyboard;
    EXPECT_EQ(b.productId, a.productId);
    EXPECT_EQ(b.modeNames, a.modeNames);
    EXPECT_EQ(b.activeProfile, a.activeProfile);
    ASSERT_EQ(b.profiles.size(), a.profiles.size());
    for (std::size_t p = 0; p < a.profiles.size(); ++p) {
        SCOPED_TRACE("profile " + std::to_string(p));
        EXPECT_EQ(b.profiles[p].activeMode, a.profiles[p].activeMode);
        ExpectSameRegisters(a.profiles[p].registers, b.profiles[p].registers);
    }
    EXPECT_EQ(b.colourSets, a.colourSets);
    EXPECT_EQ(b.activeColourSet, a.activeColourSet);
    EXPECT_EQ(b.keyCodes, a.keyCodes);
    EXPECT_EQ(b.macros, a.macros);
    ASSERT_EQ(back.groups.size(), original.groups.size());
    for (std::size_t g = 0; g < back.groups.size(); ++g) {
        EXPECT_EQ(back.groups[g].info, original.groups[g].info);
        EXPECT_EQ(back.groups[g].items, original.groups[g].items);
    }
}

TEST(KeyboardBackupTest, WritesReadableValues) {
    const json file = json::parse(WriteKeyboardBackup(Backup(), Naming()));
    EXPECT_EQ(file["modes"][2], "Breathing");
    EXPECT_EQ(file["profiles"]["list"][0]["mode"], "mode 1");  // "Wave" is doubled
    EXPECT_EQ(file["profiles"]["list"][1]["mode"], "Breathing");
    EXPECT_EQ(file["profiles"]["list"][0]["registers"]["Ripple"]["direction"], "left");
    EXPECT_EQ(file["colourSets"]["sets"][0]["F1"], "#030201");
    EXPECT_EQ(file["colourSets"]["sets"][0]["F7"], "#150E0707");  // the fourth byte shows
    EXPECT_EQ(file["colourSets"]["sets"][0]["entry 20"], "#3C2814");
    const json& keys = file["keys"];
    EXPECT_EQ(keys["Esc"], json({{"kind", "key"}, {"key", "A"}}));
    EXPECT_EQ(keys["F1"], json({{"kind", "function"}, {"function", "Volume up"}}));
    EXPECT_EQ(keys["F2"], json({{"kind", "key"}, {"key", "AltLeft"}}));
    EXPECT_EQ(keys["F3"], json({{"kind", "code"}, {"type", 2}, {"value", 0xFF}}));
    EXPECT_EQ(keys["Q"], json({{"kind", "code"}, {"type", 0}, {"value", 7}}));
    EXPECT_EQ(keys["entry 105"], json({{"kind", "code"}, {"type", 3}, {"value", 40}}));
    EXPECT_EQ(keys["A"]["play"], "times");
    EXPECT_EQ(keys["S"]["play"], "held");
    EXPECT_EQ(keys["D"]["play"], "toggle");
    EXPECT_EQ(keys["Z"]["play"], 9);
    EXPECT_EQ(keys["A"]["macro"]["name"], "Hello");
    EXPECT_EQ(keys["A"]["macro"]["steps"][0],
              json({{"key", "H"}, {"state", "down"}, {"delay", 20}}));
    EXPECT_EQ(keys["A"]["macro"]["steps"][2],
              json({{"usage", 0xFF}, {"state", "down"}, {"delay", 0}}));
    EXPECT_EQ(keys["S"]["macro"]["nameBytes"], "FFFE");
    EXPECT_EQ(keys["D"]["macro"]["count"], 200);
    EXPECT_FALSE(keys["A"]["macro"].contains("count"));
    EXPECT_FALSE(keys.contains("F4"));  // no assignment
    const json& steps = file["macroGroups"][0]["steps"];
    EXPECT_EQ(steps[0], json({{"key", "H"}, {"state", "down"}, {"delay", 5}}));
    EXPECT_EQ(steps[2], json({{"code", 0x999}, {"state", 7}, {"delay", -3}, {"name", "odd"}}));
    EXPECT_FALSE(file["macroGroups"][0].contains("id"));
}

TEST(KeyboardBackupTest, MacroSlotsAreNumberedInEntryOrder) {
    persist::KeyboardBackup backup = Backup();
    KeyboardSnapshot& k = backup.keyboard;
    k.macros = {{7, k.macros[1]}, {30, k.macros[0]}};
    k.keyCodes[kA] = macro_code_t::make(3, 30);
    k.keyCodes[kS] = macro_code_t::make(4, 7);
    k.keyCodes[kD] = macro_code_t::make(5, 30);  // two keys play one slot
    k.keyCodes[kZ] = macro_code_t{};
    const KeyboardSnapshot back = ReadBack(WriteKeyboardBackup(backup, Naming())).keyboard;
    EXPECT_EQ(back.keyCodes[kA], macro_code_t::make(3, 0));
    EXPECT_EQ(back.keyCodes[kS], macro_code_t::make(4, 1));
    EXPECT_EQ(back.keyCodes[kD], macro_code_t::make(5, 2));
    ASSERT_EQ(back.macros.size(), 3u);
    EXPECT_EQ(back.macros.at(0), k.macros[30]);
    EXPECT_EQ(back.macros.at(1), k.macros[7]);
    EXPECT_EQ(back.macros.at(2), k.macros[30]);
}

TEST(KeyboardBackupTest, TablesTakeTheNamingsSizesAndLeftOutEntriesAreZero) {
    json file = json::parse(WriteKeyboardBackup(Backup(), Naming()));
    file["colourSets"]["sets"][0] = {{"Esc", "#FF0000"}};
    file["keys"] = {{"entry 107", {{"kind", "key"}, {"key", "B"}}}};
    const KeyboardSnapshot back = ReadBack(file.dump()).keyboard;
    ASSERT_EQ(back.colourSets[0].size(), kColourEntries);
    EXPECT_EQ(back.colourSets[0][kEsc], (rgba_t{0xFF, 0, 0, 0}));
    EXPECT_EQ(back.colourSets[0][kF1], rgba_t{});
    ASSERT_EQ(back.keyCodes.size(), kCodeEntries);
    EXPECT_EQ(back.keyCodes[107], macro_code_t::make(2, 0x05));
    EXPECT_EQ(back.keyCodes[kA], macro_code_t{});
    EXPECT_TRUE(back.macros.empty());
}

TEST(KeyboardBackupTest, ReadsLowerCaseColoursAndNumberedEntriesOfNamedKeys) {
    json file = json::parse(WriteKeyboardBackup(Backup(), Naming()));
    file["colourSets"]["sets"][0] = {{"entry 0", "#ff00aa"}, {"F1", "#ABCDEF01"}};
    const KeyboardSnapshot back = ReadBack(file.dump()).keyboard;
    EXPECT_EQ(back.colourSets[0][kEsc], (rgba_t{0xFF, 0, 0xAA, 0}));
    EXPECT_EQ(back.colourSets[0][kF1], (rgba_t{0xAB, 0xCD, 0xEF, 0x01}));
}

}  // namespace

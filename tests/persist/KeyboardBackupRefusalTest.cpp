#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>

#include "persist/BackupSamples.h"
#include "persist/KeyboardBackup.h"

namespace {

using nlohmann::json;
using persist::ReadKeyboardBackup;

const std::string& GoodText() {
    static const std::string text =
        persist::WriteKeyboardBackup(backup_samples::Backup(), backup_samples::Naming());
    return text;
}

using Change = std::function<std::string(const std::string&)>;

Change Set(const std::string& pointer, json value) {
    return [=](const std::string& text) {
        json file = json::parse(text);
        file[json::json_pointer(pointer)] = value;
        return file.dump();
    };
}

Change Erase(const std::string& parent, const std::string& member) {
    return [=](const std::string& text) {
        json file = json::parse(text);
        json& object = file[json::json_pointer(parent)];
        if (object.is_array()) {
            object.erase(std::stoul(member));
        } else {
            object.erase(member);
        }
        return file.dump();
    };
}

Change Raw(std::function<std::string(std::string)> edit) {
    return [=](const std::string& text) { return edit(text); };
}

struct BadFile {
    const char* name;
    Change change;
    const char* where;
};

const json kCode = {{"kind", "code"}, {"type", 1}, {"value", 1}};

TEST(KeyboardBackupRefusalTest, EveryBadFileIsRefusedAtItsPlace) {
    const json reg = json::parse(GoodText())["profiles"]["list"][0]["registers"]["Static"];
    const BadFile cases[] = {
        // The file as a whole.
        {"empty", Raw([](std::string) { return std::string(); }), "/"},
        {"truncated", Raw([](std::string t) { return t.substr(0, t.size() / 2); }), "/"},
        {"not an object", Raw([](std::string) { return std::string("[1, 2]"); }), "/"},
        {"a name twice", Raw([](std::string t) { return "{\"modes\": []," + t.substr(1); }),
         "/modes"},
        {"unknown version", Set("/version", 2), "/version"},
        {"not a backup", Set("/format", "keylume-layout"), "/format"},
        // Modes and profiles.
        {"modes not a list", Set("/modes", "Static"), "/modes"},
        {"mode name not text", Set("/modes/1", 3), "/modes/1"},
        {"profile missing", Erase("/profiles/list", "2"), "/profiles/list"},
        {"profile not an object", Set("/profiles/list/1", 1), "/profiles/list/1"},
        {"unknown active mode", Set("/profiles/list/0/mode", "Disco"), "/profiles/list/0/mode"},
        {"mode number out of range", Set("/profiles/list/0/mode", "mode 5"),
         "/profiles/list/0/mode"},
        {"doubled name used", Set("/profiles/list/0/mode", "Wave"), "/profiles/list/0/mode"},
        {"register for no mode", Set("/profiles/list/2/registers/Disco", reg),
         "/profiles/list/2/registers/Disco"},
        {"register twice", Set("/profiles/list/2/registers/mode 0", reg),
         "/profiles/list/2/registers/mode 0"},
        {"speed out of range", Set("/profiles/list/1/registers/Static/speed", 16),
         "/profiles/list/1/registers/Static/speed"},
        {"active profile out of range", Set("/profiles/active", 3), "/profiles/active"},
        // Colour sets.
        {"colour too short", Set("/colourSets/sets/0/Esc", "#12345"), "/colourSets/sets/0/Esc"},
        {"colour of a slashed name", Set("/colourSets/sets/1/~1", "red"), "/colourSets/sets/1/~1"},
        {"colour entry out of range", Set("/colourSets/sets/0/entry 108", "#000000"),
         "/colourSets/sets/0/entry 108"},
        {"colour entry with a sign", Set("/colourSets/sets/0/entry -1", "#000000"),
         "/colourSets/sets/0/entry -1"},
        {"colour entry twice", Set("/colourSets/sets/0/entry 0", "#000000"),
         "/colourSets/sets/0/entry 0"},
        {"unknown colour key", Set("/colourSets/sets/0/Nope", "#000000"),
         "/colourSets/sets/0/Nope"},
        {"active set out of range", Set("/colourSets/active", 2), "/colourSets/active"},
        {"sets not a list", Set("/colourSets/sets", json::object()), "/colourSets/sets"},
        // Key assignments.
        {"unknown key entry", Set("/keys/Nope", kCode), "/keys/Nope"},
        {"key entry out of range", Set("/keys/entry 109", kCode), "/keys/entry 109"},
        {"key entry twice", Set("/keys/entry 0", kCode), "/keys/entry 0"},
        {"unknown kind", Set("/keys/Esc/kind", "mouse"), "/keys/Esc/kind"},
        {"unknown key name", Set("/keys/Esc/key", "Hyper"), "/keys/Esc/key"},
        {"unknown function", Set("/keys/F1/function", "Eject"), "/keys/F1/function"},
        {"function code too wide", Set("/keys/F1/function", "Launch"), "/keys/F1/function"},
        {"type out of range", Set("/keys/F3/type", 16), "/keys/F3/type"},
        {"value out of range", Set("/keys/F3/value", 4096), "/keys/F3/value"},
        {"value not whole", Set("/keys/F3/value", 1.5), "/keys/F3/value"},
        {"unknown play", Set("/keys/A/play", "forever"), "/keys/A/play"},
        {"play type of a key", Set("/keys/A/play", 2), "/keys/A/play"},
        {"macro missing", Erase("/keys/A", "macro"), "/keys/A"},
        {"step delay out of range", Set("/keys/A/macro/steps/0/delay", 32768),
         "/keys/A/macro/steps/0/delay"},
        {"unknown step key", Set("/keys/A/macro/steps/0/key", "Hyper"),
         "/keys/A/macro/steps/0/key"},
        {"step key that sends no byte", Set("/keys/A/macro/steps/2/usage", 256),
         "/keys/A/macro/steps/2/usage"},
        {"step state", Set("/keys/A/macro/steps/1/state", 2), "/keys/A/macro/steps/1/state"},
        {"macro name too long", Set("/keys/A/macro/name", std::string(38, 'x')),
         "/keys/A/macro/name"},
        {"macro name bytes not hex", Set("/keys/S/macro/nameBytes", "FFF"),
         "/keys/S/macro/nameBytes"},
        {"name and name bytes", Set("/keys/S/macro/name", "x"), "/keys/S/macro/nameBytes"},
        {"too many steps", Set("/keys/D/macro/steps/109", json::parse(R"({"key": "A",
            "state": "up", "delay": 0})")),
         "/keys/D/macro/steps"},
        {"count below the steps", Set("/keys/D/macro/count", 109), "/keys/D/macro/count"},
        // Macro groups.
        {"groups not a list", Set("/macroGroups", json::object()), "/macroGroups"},
        {"group repeat too large", Set("/macroGroups/0/repeat", 2147483648LL),
         "/macroGroups/0/repeat"},
        {"group step state", Set("/macroGroups/0/steps/0/state", "sideways"),
         "/macroGroups/0/steps/0/state"},
        {"group step key and code", Set("/macroGroups/0/steps/0/code", 1),
         "/macroGroups/0/steps/0/key"},
        {"group name missing", Erase("/macroGroups/1", "name"), "/macroGroups/1"},
    };
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.name);
        const auto result = ReadKeyboardBackup(bad.change(GoodText()), backup_samples::Naming());
        EXPECT_FALSE(result.backup.has_value());
        EXPECT_EQ(result.error.where, bad.where) << result.error.what;
        EXPECT_FALSE(result.error.what.empty());
    }
}

TEST(KeyboardBackupRefusalTest, EveryCutOfAGoodFileIsRefused) {
    const std::string& text = GoodText();
    for (std::size_t size = 0; size + 1 < text.size(); size += 97) {
        const auto result = ReadKeyboardBackup(text.substr(0, size), backup_samples::Naming());
        EXPECT_FALSE(result.backup.has_value()) << "cut at " << size;
        EXPECT_EQ(result.error.where, "/");
    }
}

TEST(KeyboardBackupRefusalTest, DeepNestingAndDuplicatesDeepInsideAreRefusedQuickly) {
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    EXPECT_EQ(ReadKeyboardBackup(deep, backup_samples::Naming()).error.where, "/");
    const auto twice = ReadKeyboardBackup(R"({"a": [0, {"b": [{}, {"c~/": 1, "c~/": 2}]}]})",
                                          backup_samples::Naming());
    EXPECT_EQ(twice.error.where, "/a/1/b/1/c~0~1");
}

}  // namespace

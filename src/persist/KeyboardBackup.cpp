#include "persist/KeyboardBackup.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

#include "persist/BackupAssignments.h"
#include "persist/BackupEntryNames.h"
#include "persist/BackupJson.h"
#include "persist/BackupMacros.h"
#include "persist/BackupModeRegister.h"
#include "persist/BackupText.h"
#include "persist/MacroLimits.h"
#include "persist/RulesJson.h"

namespace persist {
namespace {

using namespace backup_json;

constexpr const char* kRulesMember = "applicationRules";

// A colour entry: "#RRGGBB", with "AA" added when the fourth byte is not 0.
std::string ColourEntryText(const rgba_t& colour) {
    std::string text = ColourText({colour.r, colour.g, colour.b});
    if (colour.a != 0) text += ColourText({colour.a, 0, 0}).substr(1, 2);
    return text;
}

rgba_t ColourEntry(const Json& value, const std::string& path) {
    const std::string* text = value.get_ptr<const std::string*>();
    if (text && text->size() == 9) {
        const Rgb rgb = Colour(Json(text->substr(0, 7)), path);
        const Rgb alpha = Colour(Json("#" + text->substr(7) + "0000"), path);
        return {rgb[0], rgb[1], rgb[2], alpha[0]};
    }
    const Rgb rgb = Colour(value, path);
    return {rgb[0], rgb[1], rgb[2], 0};
}

// The modes, each by its id, and each profile's registers by mode id.
Json WriteProfiles(const KeyboardSnapshot& keyboard, const std::vector<std::string>& modeIds) {
    Json list = Json::array();
    for (const KeyboardSnapshot::Profile& profile : keyboard.profiles) {
        Json registers = Json::object();
        for (std::size_t m = 0; m < profile.registers.size() && m < modeIds.size(); ++m)
            registers[modeIds[m]] = WriteModeRegister(profile.registers[m]);
        const auto active = static_cast<std::size_t>(profile.activeMode);
        list.push_back({{"activeMode", active < modeIds.size() ? Json(modeIds[active]) : Json()},
                        {"registers", registers}});
    }
    return {
        {"count", keyboard.profiles.size()}, {"active", keyboard.activeProfile}, {"list", list}};
}

Json WriteColourSets(const KeyboardSnapshot& keyboard, const BackupNaming& naming) {
    Json sets = Json::array();
    for (const std::vector<rgba_t>& colours : keyboard.colourSets) {
        std::vector<std::string> names = naming.colourKeys;
        names.resize(colours.size());
        const std::vector<std::string> ids = EntryIds(names, "entry");
        Json set = Json::object();
        for (std::size_t i = 0; i < colours.size(); ++i) set[ids[i]] = ColourEntryText(colours[i]);
        sets.push_back(set);
    }
    return {{"active", keyboard.activeColourSet + 1}, {"sets", sets}};
}

Json WriteKeys(const KeyboardSnapshot& keyboard, const BackupNaming& naming) {
    std::vector<std::string> names = naming.codeKeys;
    names.resize(keyboard.keyCodes.size());
    const std::vector<std::string> ids = EntryIds(names, "entry");
    Json keys = Json::object();
    for (std::size_t k = 0; k < keyboard.keyCodes.size(); ++k) {
        const macro_code_t code = keyboard.keyCodes[k];
        if (code.code() != 0) keys[ids[k]] = WriteAssignment(code, keyboard.macros, naming);
    }
    return keys;
}

// The keyboard's names as they are, empty or doubled ones included; the profiles name modes by
// their ids.
std::vector<std::string> ReadModes(const Json& root) {
    const Json& modes = Array(Member(root, "", "modes"), "/modes");
    std::vector<std::string> names;
    for (std::size_t m = 0; m < modes.size(); ++m) {
        const std::string* name = modes[m].get_ptr<const std::string*>();
        if (!name) throw BackupRefusal{{"/modes/" + std::to_string(m), "not a mode name"}};
        names.push_back(*name);
    }
    return names;
}

KeyboardSnapshot::Profile ReadProfile(const Json& value, const std::string& path,
                                      const std::vector<std::string>& modes) {
    Object(value, path);
    KeyboardSnapshot::Profile profile;
    const std::string* active = Member(value, path, "activeMode").get_ptr<const std::string*>();
    profile.activeMode = active ? FindEntry(modes, *active) : -1;
    if (profile.activeMode < 0) throw BackupRefusal{{path + "/activeMode", "not a mode of /modes"}};
    const std::string at = path + "/registers";
    const Json& registers = Object(Member(value, path, "registers"), at);
    for (const auto& [name, reg] : registers.items())
        if (FindEntry(modes, name) < 0)
            throw BackupRefusal{{Place(at, name), "not a mode of /modes"}};
    for (const std::string& mode : modes)
        profile.registers.push_back(
            ReadModeRegister(Member(registers, at, mode.c_str()), Place(at, mode)));
    return profile;
}

void ReadProfiles(const Json& root, KeyboardSnapshot& keyboard) {
    const BackupHeader header = ReadHeader(root);
    keyboard.productId = header.productId;
    keyboard.activeProfile = header.activeProfile;
    keyboard.modeNames = ReadModes(root);
    const std::vector<std::string> modeIds = EntryIds(keyboard.modeNames, "mode");
    const Json& list = Array(Member(root["profiles"], "/profiles", "list"), "/profiles/list");
    if (list.size() != header.profileCount)
        throw BackupRefusal{{"/profiles/list", "not as many profiles as /profiles/count"}};
    for (std::size_t p = 0; p < list.size(); ++p)
        keyboard.profiles.push_back(
            ReadProfile(list[p], "/profiles/list/" + std::to_string(p), modeIds));
}

void ReadColourSets(const Json& root, const BackupNaming& naming, KeyboardSnapshot& keyboard) {
    const Json& colourSets = Object(Member(root, "", "colourSets"), "/colourSets");
    const Json& sets = Array(Member(colourSets, "/colourSets", "sets"), "/colourSets/sets");
    // A keyboard without colour sets still names set 1 as its active one.
    const auto last = std::max<std::int64_t>(static_cast<std::int64_t>(sets.size()), 1);
    keyboard.activeColourSet =
        static_cast<int>(WholeNumber(Member(colourSets, "/colourSets", "active"),
                                     "/colourSets/active", 1, last)) -
        1;
    const std::vector<std::string> ids = EntryIds(naming.colourKeys, "entry");
    for (std::size_t s = 0; s < sets.size(); ++s) {
        const std::string at = "/colourSets/sets/" + std::to_string(s);
        std::vector<rgba_t> colours(ids.size());
        for (const auto& [id, colour] : Object(sets[s], at).items()) {
            const int entry = FindKeyEntry(ids, id);
            if (entry < 0) throw BackupRefusal{{Place(at, id), "no key of that name"}};
            colours[static_cast<std::size_t>(entry)] = ColourEntry(colour, Place(at, id));
        }
        keyboard.colourSets.push_back(std::move(colours));
    }
}

void ReadKeys(const Json& root, const BackupNaming& naming, KeyboardSnapshot& keyboard) {
    const Json& keys = Object(Member(root, "", "keys"), "/keys");
    const std::vector<std::string> ids = EntryIds(naming.codeKeys, "entry");
    keyboard.keyCodes.assign(ids.size(), macro_code_t{});
    // In entry order, so the file's macros are numbered as the keys stand on the keyboard.
    std::map<int, std::string> byEntry;
    for (const auto& member : keys.items()) {
        const int entry = FindKeyEntry(ids, member.key());
        if (entry < 0) throw BackupRefusal{{Place("/keys", member.key()), "no key of that name"}};
        byEntry.emplace(entry, member.key());
    }
    std::set<int> taken;
    // Keys that play a slot the file has no macro for keep their slot; the others get theirs
    // around them.
    for (const bool plain : {true, false}) {
        for (const auto& [entry, id] : byEntry) {
            const Json& value = keys[id];
            const bool isPlain =
                value.is_object() && value.contains("kind") && value["kind"] == "code";
            if (isPlain != plain) continue;
            const macro_code_t code =
                ReadAssignment(value, Place("/keys", id), naming, taken, keyboard.macros);
            if (plain && code.playsMacro()) taken.insert(code.value());
            keyboard.keyCodes[static_cast<std::size_t>(entry)] = code;
        }
    }
}

KeyboardBackup Read(const Json& root, const BackupNaming& naming) {
    Object(root, "");
    KeyboardBackup backup;
    ReadProfiles(root, backup.keyboard);
    ReadColourSets(root, naming, backup.keyboard);
    ReadKeys(root, naming, backup.keyboard);
    const Json& groups = Array(Member(root, "", "macroGroups"), "/macroGroups");
    for (std::size_t g = 0; g < groups.size(); ++g)
        backup.groups.push_back(ReadMacroGroup(groups[g], "/macroGroups/" + std::to_string(g)));
    if (root.contains(kRulesMember))
        backup.rules = ReadRulesJson(root[kRulesMember], std::string("/") + kRulesMember);
    return backup;
}

}  // namespace

std::string WriteKeyboardBackup(const KeyboardBackup& backup, const BackupNaming& naming) {
    const KeyboardSnapshot& keyboard = backup.keyboard;
    Json root = Json::parse(
        WriteBackupHeader({keyboard.productId, static_cast<std::uint16_t>(keyboard.profiles.size()),
                           static_cast<std::uint16_t>(keyboard.activeProfile)}));
    const std::vector<std::string> modeIds = EntryIds(keyboard.modeNames, "mode");
    root["modes"] = keyboard.modeNames;
    root["profiles"] = WriteProfiles(keyboard, modeIds);
    root["colourSets"] = WriteColourSets(keyboard, naming);
    root["keys"] = WriteKeys(keyboard, naming);
    Json groups = Json::array();
    // What the editor holds beyond the limits is written within them, so the file reads back.
    for (const MacroGroupContent& group : WithinLimits(backup.groups))
        groups.push_back(WriteMacroGroup(group));
    root["macroGroups"] = groups;
    if (backup.rules) root[kRulesMember] = WriteRulesJson(*backup.rules);
    // Texts that are not UTF-8 (a group named in another encoding) become U+FFFD rather than
    // ending the export.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

BackupReadResult ReadKeyboardBackup(std::string_view text, const BackupNaming& naming) {
    const ParsedBackupText parsed = ParseBackupText(text);
    if (parsed.error) return {std::nullopt, *parsed.error};
    try {
        return {Read(parsed.root, naming), {}};
    } catch (const BackupRefusal& refusal) {
        return {std::nullopt, refusal.error};
    } catch (const Json::exception& error) {
        return {std::nullopt, {"/", std::string("not as expected: ") + error.what()}};
    }
}

}  // namespace persist

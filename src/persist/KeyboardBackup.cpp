#include "persist/KeyboardBackup.h"

#include "persist/BackupColourSets.h"
#include "persist/BackupEntryNames.h"
#include "persist/BackupHeaderJson.h"
#include "persist/BackupJsonParse.h"
#include "persist/BackupKeyCodes.h"
#include "persist/BackupMacroGroups.h"
#include "persist/BackupProfiles.h"

namespace persist {
namespace {

using namespace backup_json;

BackupEntryNames ModeNames(std::vector<std::string> names) {
    return BackupEntryNames(std::move(names), "mode", "mode");
}

BackupEntryNames KeyNames(std::vector<std::string> names) {
    return BackupEntryNames(std::move(names), "entry", "key");
}

std::vector<std::string> ReadModeNames(const Json& root) {
    const Json& list = Array(Member(root, "", "modes"), "/modes");
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.size(); ++i) {
        names.push_back(Text(list[i], "/modes/" + std::to_string(i)));
    }
    return names;
}

KeyboardBackup ReadBackup(std::string_view text, const BackupNaming& naming) {
    const Json root = ParseBackupText(text);
    const BackupHeader header = ReadHeaderObject(root);
    KeyboardBackup backup;
    KeyboardSnapshot& keyboard = backup.keyboard;
    keyboard.productId = header.productId;
    keyboard.activeProfile = header.activeProfile;
    keyboard.modeNames = ReadModeNames(root);
    const Json& profiles = Member(root, "", "profiles");
    ReadProfileList(Member(profiles, "/profiles", "list"), "/profiles/list",
                    ModeNames(keyboard.modeNames), keyboard);
    if (keyboard.profiles.size() != header.profileCount) {
        throw BackupRefusal{{"/profiles/list", "holds " + std::to_string(keyboard.profiles.size()) +
                                                   " profiles, not the count " +
                                                   std::to_string(header.profileCount)}};
    }
    ReadColourSets(Member(root, "", "colourSets"), "/colourSets", KeyNames(naming.colourKeys),
                   keyboard);
    ReadKeyCodes(Member(root, "", "keys"), "/keys", KeyNames(naming.codeKeys), naming, keyboard);
    backup.groups = ReadMacroGroups(Member(root, "", "macroGroups"), "/macroGroups");
    return backup;
}

}  // namespace

std::string WriteKeyboardBackup(const KeyboardBackup& backup, const BackupNaming& naming) {
    const KeyboardSnapshot& keyboard = backup.keyboard;
    BackupHeader header;
    header.productId = keyboard.productId;
    header.profileCount = static_cast<std::uint16_t>(keyboard.profiles.size());
    header.activeProfile = static_cast<std::uint16_t>(keyboard.activeProfile);
    Json root = WriteHeaderObject(header);
    root["modes"] = keyboard.modeNames;
    root["profiles"]["list"] = WriteProfileList(keyboard, ModeNames(keyboard.modeNames));
    root["colourSets"] = WriteColourSets(keyboard, KeyNames(naming.colourKeys));
    root["keys"] = WriteKeyCodes(keyboard, KeyNames(naming.codeKeys), naming);
    root["macroGroups"] = WriteMacroGroups(backup.groups);
    // Mode names the keyboard holds in another encoding are the only text not checked before.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

BackupReadResult ReadKeyboardBackup(std::string_view text, const BackupNaming& naming) {
    try {
        return {ReadBackup(text, naming), {}};
    } catch (const BackupRefusal& refusal) {
        return {std::nullopt, refusal.error};
    } catch (const std::exception& error) {
        // Nothing below should throw anything else; a refusal beats a crash if it does.
        return {std::nullopt, {"/", std::string("cannot be read: ") + error.what()}};
    }
}

}  // namespace persist

#include "persist/BackupProfiles.h"

#include "persist/BackupModeRegister.h"

namespace persist {
namespace {

using namespace backup_json;

// A mode number the keyboard's list does not reach is written as a label no list reads back.
std::string ModeLabel(const BackupEntryNames& modes, int mode) {
    return mode < 0 ? "mode " + std::to_string(mode) : modes.Label(static_cast<std::size_t>(mode));
}

Json WriteProfile(const KeyboardSnapshot::Profile& profile, const BackupEntryNames& modes) {
    Json registers = Json::object();
    for (std::size_t i = 0; i < profile.registers.size(); ++i) {
        registers[modes.Label(i)] = WriteModeRegister(profile.registers[i]);
    }
    return {{"mode", ModeLabel(modes, profile.activeMode)}, {"registers", std::move(registers)}};
}

KeyboardSnapshot::Profile ReadProfile(const Json& value, const std::string& path,
                                      const BackupEntryNames& modes) {
    Object(value, path);
    KeyboardSnapshot::Profile profile;
    profile.activeMode = static_cast<int>(
        modes.Find(Text(Member(value, path, "mode"), path + "/mode"), path + "/mode"));
    profile.registers.resize(modes.size());
    modes.ReadEach(Member(value, path, "registers"), path + "/registers",
                   [&](std::size_t mode, const Json& reg, const std::string& place) {
                       profile.registers[mode] = ReadModeRegister(reg, place);
                   });
    return profile;
}

}  // namespace

Json WriteProfileList(const KeyboardSnapshot& keyboard, const BackupEntryNames& modes) {
    Json list = Json::array();
    for (const KeyboardSnapshot::Profile& profile : keyboard.profiles) {
        list.push_back(WriteProfile(profile, modes));
    }
    return list;
}

void ReadProfileList(const Json& value, const std::string& path, const BackupEntryNames& modes,
                     KeyboardSnapshot& keyboard) {
    const Json& list = Array(value, path);
    keyboard.profiles.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        keyboard.profiles.push_back(ReadProfile(list[i], path + "/" + std::to_string(i), modes));
    }
}

}  // namespace persist

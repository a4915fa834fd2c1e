#include "app/DeviceBackends.h"

#include <cstdlib>
#include <string>

#include "device/HidrawBackend.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"

namespace fs = std::filesystem;

fs::path EmulatedKeyboardStateFile() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    fs::path folder;
    if (configHome && configHome[0] == '/') {
        folder = configHome;
    } else {
        const char* home = std::getenv("HOME");
        folder = fs::path(home && home[0] ? home : "/tmp") / ".config";
    }
    return folder / "keylume" / "emulated-keyboard.state";
}

std::shared_ptr<HidBackend> MakeHidBackend(Emulation emulation, const fs::path& stateFile) {
    if (emulation == Emulation::None) return std::make_shared<HidrawBackend>();
    auto keyboard = std::make_shared<VirtualKeyboard>();
    if (!stateFile.empty()) {
        std::error_code error;
        fs::create_directories(stateFile.parent_path(), error);
        keyboard->UseStateFile(stateFile);
    }
    auto backend = std::make_shared<EmulatedBackend>(keyboard);
    if (emulation == Emulation::OldFirmware) {
        backend->UnplugKeyboard();
        backend->PlugOldFirmware(0x1511);
    } else if (emulation == Emulation::Absent) {
        backend->UnplugKeyboard();
    }
    return backend;
}

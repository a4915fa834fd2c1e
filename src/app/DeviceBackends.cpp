#include "app/DeviceBackends.h"

#include "device/HidrawBackend.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "files/PrivateFolder.h"
#include "persist/AppPaths.h"

namespace fs = std::filesystem;

fs::path EmulatedKeyboardStateFile() {
    return AppPaths::UserConfigFolder(AppPaths::Environment::FromProcess()) /
           "emulated-keyboard.state";
}

std::shared_ptr<HidBackend> MakeHidBackend(Emulation emulation, const fs::path& stateFile) {
    if (emulation == Emulation::None) return std::make_shared<HidrawBackend>();
    auto keyboard = std::make_shared<VirtualKeyboard>();
    if (!stateFile.empty()) {
        files::MakePrivateFolder(stateFile.parent_path());
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

#pragma once
// A keyboard worth backing up: doubled and missing names, odd codes, alpha bytes, the reserved
// register bit, a block claiming more steps than it holds and a name in another encoding.
#include <string>

#include "persist/KeyboardBackup.h"
#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace backup_samples {

inline constexpr std::size_t kColourEntries = 108;
inline constexpr std::size_t kCodeEntries = 109;

// Entry i is named after key table row i + 1 (Esc, F1, ...); entries 20 and 21 share a name and
// the last ones have no key.
inline std::vector<std::string> EntryNames(std::size_t count) {
    std::vector<std::string> names(count);
    for (std::size_t i = 0; i < count && i < 100; ++i) {
        names[i] = ToSystemText(KeyTableEntries()[i + 1].name);
    }
    names[20] = names[21] = "Dup";
    return names;
}

inline persist::BackupNaming Naming() {
    return {EntryNames(kColourEntries),
            EntryNames(kCodeEntries),
            {{"Volume up", 0x0E9}, {"Mute", 0x0E2}, {"Launch", 0x1234}, {"Volume up", 0x0EA}}};
}

inline macro_block_t Block(const char* name, std::uint8_t repeat,
                           std::initializer_list<macro_step_t> steps) {
    macro_block_t block;
    block.name.set(name);
    block.repeat = repeat;
    for (const macro_step_t& step : steps) block.append(step);
    return block;
}

inline _reg_mode_t Register(int profile, int mode) {
    _reg_mode_t reg;
    reg.foregroundBrightness = static_cast<std::uint8_t>(profile * 40 + mode);
    reg.backgroundBrightness = static_cast<std::uint8_t>(255 - mode);
    reg.settings = static_cast<std::uint8_t>(profile * 71 + mode * 37);  // reserved bit in some
    reg.foreground[0] = static_cast<std::uint8_t>(mode * 50);
    reg.background[2] = static_cast<std::uint8_t>(profile + 1);
    return reg;
}

// Key entries by index, named as Naming() names them.
enum Entry : std::size_t {
    kEsc = 0,
    kF1 = 1,
    kF2 = 2,
    kF3 = 3,
    kDup = 20,
    kQ = 38,
    kA = 59,
    kS = 60,
    kD = 61,
    kZ = 75,
    kNoName = 105,
    kLast = 108,
};

inline persist::KeyboardBackup Backup() {
    persist::KeyboardBackup backup;
    KeyboardSnapshot& k = backup.keyboard;
    k.productId = 0x1514;
    k.modeNames = {"Static", "Wave", "Breathing", "Wave", "Ripple"};
    for (int p = 0; p < 3; ++p) {
        KeyboardSnapshot::Profile profile;
        profile.activeMode = p + 1;
        for (int m = 0; m < 5; ++m) profile.registers.push_back(Register(p, m));
        k.profiles.push_back(profile);
    }
    k.activeProfile = 2;
    for (std::uint32_t s = 0; s < 2; ++s) {
        std::vector<rgba_t> set(kColourEntries);
        for (std::uint32_t i = 0; i < kColourEntries; ++i) {
            set[i] = rgba_t::fromValue(i * 0x010203u * (s + 1) | (i % 7 == 0 ? i << 24 : 0));
        }
        k.colourSets.push_back(set);
    }
    k.activeColourSet = 1;
    k.keyCodes.assign(kCodeEntries, macro_code_t{});
    k.keyCodes[kEsc] = macro_code_t::make(2, 0x04);   // the key A
    k.keyCodes[kF1] = macro_code_t::make(2, 0x0E9);   // a function
    k.keyCodes[kF2] = macro_code_t::make(2, 0x0E2);   // a key and a function share the code
    k.keyCodes[kF3] = macro_code_t::make(2, 0x0FF);   // a usage no key sends
    k.keyCodes[kDup] = macro_code_t::make(1, 0x123);  // type 1
    k.keyCodes[kQ] = macro_code_t::make(0, 7);        // type 0 with a value
    k.keyCodes[kA] = macro_code_t::make(3, 0);        // macros in slots 0.. in entry order
    k.keyCodes[kS] = macro_code_t::make(4, 1);
    k.keyCodes[kD] = macro_code_t::make(5, 2);
    k.keyCodes[kZ] = macro_code_t::make(9, 3);
    k.keyCodes[kNoName] = macro_code_t::make(3, 40);  // a slot the keyboard gave no block for
    k.keyCodes[kLast] = macro_code_t::make(2, 0x0E9);
    k.macros[0] = Block("Hello", 3,
                        {macro_step_t::make(0x0B, 20, 0), macro_step_t::make(0x0B, 32767, 1),
                         macro_step_t::make(0xFF, 0, 0)});
    k.macros[1] = Block("\xFF\xFE", 0, {});
    macro_block_t full = Block("Full", 255, {});
    for (unsigned i = 0; i < macro_block_t::MAX_STEPS; ++i) {
        full.append(macro_step_t::make(static_cast<std::uint8_t>(4 + i % 30), i, i % 2));
    }
    full.count = 200;
    k.macros[2] = full;
    k.macros[3] = Block("", 1, {macro_step_t::make(0xE1, 1, 0)});

    persist::MacroGroupContent greeting;
    greeting.info = {-1, 2, L"Greeting"};
    greeting.items = {{0x23, 0, 5, L"H"},
                      {0x23, 1, 0, L"H"},
                      {0x999, 7, -3, L"odd"},
                      {0x1D, 0, 1, L"CtrlLeft"},
                      {0x2A, 0, 1, L"Shift as recorded"}};
    persist::MacroGroupContent empty;
    empty.info = {-1, 0, L""};
    backup.groups = {greeting, empty};
    return backup;
}

}  // namespace backup_samples

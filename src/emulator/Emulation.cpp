#include "emulator/Emulation.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, Emulation>, 3> kEmulations{{
    {"keyboard", Emulation::Keyboard},
    {"old-firmware", Emulation::OldFirmware},
    {"absent", Emulation::Absent},
}};

}  // namespace

const std::vector<std::string_view>& EmulationNames() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all;
        for (const auto& entry : kEmulations) all.push_back(entry.first);
        return all;
    }();
    return names;
}

std::optional<Emulation> EmulationByName(std::string_view name) {
    for (const auto& [text, emulation] : kEmulations)
        if (text == name) return emulation;
    return std::nullopt;
}

std::string_view EmulationName(Emulation emulation) {
    for (const auto& [text, value] : kEmulations)
        if (value == emulation) return text;
    return {};
}

std::string EmulationChoice() {
    std::string names;
    for (const auto& entry : kEmulations)
        names += (names.empty() ? "" : "|") + std::string(entry.first);
    return names;
}

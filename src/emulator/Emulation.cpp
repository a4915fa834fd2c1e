#include "emulator/Emulation.h"

#include <array>
#include <utility>

#include "records/NamedValues.h"

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
    return named::ValueOf(kEmulations, name);
}

std::string_view EmulationName(Emulation emulation) {
    return named::NameOf(kEmulations, emulation);
}

std::string EmulationChoice() {
    std::string names;
    for (const auto& entry : kEmulations)
        names += (names.empty() ? "" : "|") + std::string(entry.first);
    return names;
}

#include "cli/KeyboardClient.h"

#include <chrono>

#include "records/SharedShapes.h"

namespace {

const _reg_mode_t kZeroRegister{};
// A connection read or a macro download takes a few hundred reports at most.
constexpr auto kSettleTime = std::chrono::seconds(20);

template <class Shape>
auto Elements(const Shape& shape) {
    using T = std::remove_cv_t<std::remove_reference_t<decltype(*shape.data())>>;
    return std::vector<T>(shape.data(), shape.data() + shape.count);
}

template <class Shape>
void CallOnChange(Shape& shape, const void* owner, const std::function<void()>& onChange) {
    using T = typename Shape::value_type;
    shape.bind(owner, typename Shape::Hook([onChange](int, const T*, uint32_t, uint32_t, uint32_t,
                                                      uint32_t, int) { onChange(); }));
}

}  // namespace

void KeyboardClient::WatchChanges(std::function<void()> onChange) {
    CallOnChange(connected_, this, onChange);
    CallOnChange(register_, this, onChange);
    CallOnChange(modes_, this, onChange);
    CallOnChange(profiles_, this, onChange);
    CallOnChange(colourSet_, this, onChange);
    CallOnChange(keyCodes_, this, onChange);
    CallOnChange(keyColours_, this, onChange);
}

KeyboardClient::KeyboardClient()
    : register_(shapes::kRegisterName, &kZeroRegister, 1),
      modes_(shapes::kModesName, nullptr, 0),
      profiles_(shapes::kProfilesName, nullptr, 0) {}

bool KeyboardClient::Settle() {
    return ShapeDispatcher::waitIdle(kSettleTime);
}

KeyboardStatus KeyboardClient::Status() const {
    KeyboardStatus status;
    const bool connected = connected_.count > 0 && connected_.data()[0] != 0;
    status.presence =
        connected ? KeyboardStatus::Presence::Connected : KeyboardStatus::Presence::Absent;
    status.profileCount = static_cast<int>(profiles_.count);
    status.activeProfile = static_cast<int>(profiles_.index());
    for (const _mode_attr_t& mode : Elements(modes_))
        status.modes.push_back({std::string(mode.name.text()), mode.flags()});
    status.modeIndex = static_cast<int>(modes_.index());
    if (register_.count > 0) status.reg = register_.data()[0];
    status.colourSet = colourSet_.count > 0 ? colourSet_.data()[0] : 0;
    status.keyCodes = Elements(keyCodes_);
    status.keyColours = Elements(keyColours_);
    return status;
}

bool KeyboardClient::SelectProfile(int profile) {
    profiles_.select(static_cast<uint32_t>(profile), shapes::kApply, false, true);
    return Settle();
}

bool KeyboardClient::SelectMode(int mode) {
    modes_.select(static_cast<uint32_t>(mode), shapes::kApply, false, true);
    return Settle();
}

bool KeyboardClient::WriteRegister(const _reg_mode_t& reg) {
    if (register_.count == 0) return Settle();
    register_.data()[0] = reg;
    register_.fireOthers(shapes::kApply, true);
    return Settle();
}

bool KeyboardClient::SelectColourSet(int set) {
    colourSet_.set(set, shapes::kApply, false, true);
    return Settle();
}

bool KeyboardClient::PaintKeys(const std::vector<int>& entries, std::uint32_t rgb) {
    for (int entry : entries) {
        if (entry < 0 || static_cast<uint32_t>(entry) >= keyColours_.count) continue;
        rgba_t& colour = keyColours_.data()[entry];
        colour.r = static_cast<std::uint8_t>(rgb >> 16);
        colour.g = static_cast<std::uint8_t>(rgb >> 8);
        colour.b = static_cast<std::uint8_t>(rgb);
    }
    keyColours_.fireOthers(shapes::kApply, true);
    return Settle();
}

bool KeyboardClient::Assign(const macrokey_pack_t& request) {
    keyAssignment_.set(&request, shapes::kApply, false, true);
    return Settle();
}

std::vector<MacroFuncKey> KeyboardClient::FunctionKeys() const {
    return Elements(funcKeys_);
}

std::vector<MacroCombKey> KeyboardClient::Combinations() const {
    return Elements(combKeys_);
}

std::list<MacroRecordGroup> KeyboardClient::MacroGroups() const {
    return macroGroups_.count > 0 ? macroGroups_.data()[0] : std::list<MacroRecordGroup>();
}

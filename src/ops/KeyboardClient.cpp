#include "ops/KeyboardClient.h"

#include <algorithm>
#include <chrono>

#include "records/SharedShapes.h"

namespace {

constexpr int kNoRequest = 0;

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
    CallOnChange(view_.connected, this, onChange);
    CallOnChange(view_.reg, this, onChange);
    CallOnChange(view_.modes, this, onChange);
    CallOnChange(view_.profiles, this, onChange);
    CallOnChange(view_.colourSet, this, onChange);
    CallOnChange(view_.keyCodes, this, onChange);
    CallOnChange(view_.keyColours, this, onChange);
}

KeyboardClient::KeyboardClient()
    : snapshotRequest_(shapes::kSnapshotRequestName, &kNoRequest, 1, false),
      snapshot_(shapes::kSnapshotName, nullptr, 0, false) {}

bool KeyboardClient::Settle() {
    return ShapeDispatcher::waitIdle(kSettleTime);
}

KeyboardStatus KeyboardClient::Status() const {
    KeyboardStatus status;
    const bool connected = view_.connected.count > 0 && view_.connected.data()[0] != 0;
    status.presence =
        connected ? KeyboardStatus::Presence::Connected : KeyboardStatus::Presence::Absent;
    status.profileCount = static_cast<int>(view_.profiles.count);
    status.activeProfile = static_cast<int>(view_.profiles.index());
    for (const _mode_attr_t& mode : Elements(view_.modes))
        status.modes.push_back({std::string(mode.name.text()), mode.flags()});
    status.modeIndex = static_cast<int>(view_.modes.index());
    if (view_.reg.count > 0) status.reg = view_.reg.data()[0];
    status.colourSet = view_.colourSet.count > 0 ? view_.colourSet.data()[0] : 0;
    status.keyCodes = Elements(view_.keyCodes);
    status.keyColours = Elements(view_.keyColours);
    if (view_.slotMacros.count > 0) status.slotMacros = view_.slotMacros.data()[0];
    return status;
}

bool KeyboardClient::SelectProfile(int profile) {
    view_.profiles.select(static_cast<uint32_t>(profile), shapes::kApply, false, true);
    return Settle();
}

bool KeyboardClient::SelectMode(int mode) {
    view_.modes.select(static_cast<uint32_t>(mode), shapes::kApply, false, true);
    return Settle();
}

bool KeyboardClient::WriteRegister(const _reg_mode_t& reg) {
    if (view_.reg.count == 0) return Settle();
    view_.reg.data()[0] = reg;
    view_.reg.fireOthers(shapes::kApply, true);
    return Settle();
}

bool KeyboardClient::SelectColourSet(int set) {
    view_.colourSet.set(set, shapes::kApply, false, true);
    return Settle();
}

bool KeyboardClient::PaintKeys(const std::vector<int>& entries, std::uint32_t rgb) {
    for (int entry : entries) {
        if (entry < 0 || static_cast<uint32_t>(entry) >= view_.keyColours.count) continue;
        rgba_t& colour = view_.keyColours.data()[entry];
        colour.r = static_cast<std::uint8_t>(rgb >> 16);
        colour.g = static_cast<std::uint8_t>(rgb >> 8);
        colour.b = static_cast<std::uint8_t>(rgb);
    }
    view_.keyColours.fireOthers(shapes::kApply, true);
    return Settle();
}

bool KeyboardClient::Assign(const macrokey_pack_t& request) {
    keyAssignment_.set(&request, shapes::kApply, false, true);
    return Settle();
}

bool KeyboardClient::WriteKeyColours(const std::vector<rgba_t>& colours) {
    const std::size_t n = std::min<std::size_t>(colours.size(), view_.keyColours.count);
    std::copy_n(colours.begin(), n, view_.keyColours.data());
    view_.keyColours.fireOthers(shapes::kApply, true);
    return Settle();
}

std::optional<KeyboardSnapshot> KeyboardClient::ReadSnapshot(shapes::SnapshotSource source) {
    // The answer lands in this copy; an empty one means no answer came.
    snapshot_.store(nullptr, 0, false);
    snapshotRequest_.set(static_cast<int>(source), shapes::kApply, false, true);
    if (!Settle() || snapshot_.count == 0) return std::nullopt;
    return snapshot_.data()[0];
}

bool KeyboardClient::AddMacroGroups(const std::list<MacroRecordGroup>& groups) {
    std::list<MacroRecordGroup> all = MacroGroups();
    all.insert(all.end(), groups.begin(), groups.end());
    macroGroups_.store(&all, 1, false);
    macroGroups_.fireOthers(shapes::kApply, true);
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

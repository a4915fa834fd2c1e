#include "support/ScreenSide.h"
#include "records/SharedShapes.h"

namespace {
constexpr int kZero = 0;
const _reg_mode_t kZeroRegister{};
}  // namespace

ScreenSide::ScreenSide()
    : recordFlag(shapes::kRecordFlagName, &kZero, 1),
      factoryReset(shapes::kFactoryResetName, &kZero, 1),
      maskClear(shapes::kMaskClearName, &kZero, 1),
      currentRegister(shapes::kRegisterName, &kZeroRegister, 1),
      modes(shapes::kModesName, nullptr, 0),
      profiles(shapes::kProfilesName, nullptr, 0) {
    Note(groups, "groups");
    Note(keyColours, "colours");
    Note(connected, "connected");
    Note(colourSet, "colourset");
    Note(keyCodes, "keycodes");
    Note(currentRegister, "register");
    Note(modes, "modes");
    Note(profiles, "profiles");
}

void ScreenSide::Add(const char* event) {
    std::lock_guard guard(lock_);
    events_.emplace_back(event);
}

std::vector<std::string> ScreenSide::Events() const {
    std::lock_guard guard(lock_);
    return events_;
}

void ScreenSide::ClearEvents() {
    std::lock_guard guard(lock_);
    events_.clear();
}

#include "support/ScreenSide.h"

namespace {
constexpr int kZero = 0;
const _reg_mode_t kZeroRegister{};
}  // namespace

ScreenSide::ScreenSide()
    : recordFlag("record.Enable", &kZero, 1),
      factoryReset("kb.factor.reset", &kZero, 1),
      maskClear("kb.notify.mask", &kZero, 1),
      currentRegister("custom.selecting.keys", &kZeroRegister, 1),
      modes("custom.mode.attr", nullptr, 0),
      profiles("kb.profile.index", nullptr, 0) {
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

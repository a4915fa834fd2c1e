#include "records/KeyboardView.h"

namespace {

const _reg_mode_t kZeroRegister{};

}  // namespace

KeyboardView::KeyboardView()
    : reg(shapes::kRegisterName, &kZeroRegister, 1),
      modes(shapes::kModesName, nullptr, 0),
      profiles(shapes::kProfilesName, nullptr, 0),
      slotMacros(shapes::kSlotMacrosName, nullptr, 0) {}

#pragma once

#include <type_traits>

#include "records/FixedText.h"

// Description of one on-board profile. The program names profiles itself; the
// record never travels to or from the keyboard.
struct _profile_attr_t {
    wire::FixedText<60> name;

    // "P0", "P1", ... for profiles numbered from 0.
    static _profile_attr_t numbered(int profile);

    friend bool operator==(const _profile_attr_t&, const _profile_attr_t&) = default;
};

static_assert(sizeof(_profile_attr_t) == 60 && alignof(_profile_attr_t) == 1);
static_assert(std::is_trivially_copyable_v<_profile_attr_t> &&
              std::is_standard_layout_v<_profile_attr_t>);

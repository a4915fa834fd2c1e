#pragma once

#include <cstdint>

// The macro editor's settings, kept between runs under these field names.
struct MacroRecordParam {
    std::int32_t page = 0;
    std::int32_t gpsel = 0;
    std::int32_t singlekey = 0;
    std::int32_t funcsel = 0;
    std::int32_t cmbtype = 0;
    std::int32_t cmbsel = 0;
    std::int32_t dlmode = 0;
    // The fixed delay in ms: a real pause, unlike "No delay".
    std::int32_t period = 50;
    std::int32_t playmode = 0;

    friend bool operator==(const MacroRecordParam&, const MacroRecordParam&) = default;
};

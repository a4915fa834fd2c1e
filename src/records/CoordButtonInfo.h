#pragma once

#include <cstdint>
#include <string>

struct CoordRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const CoordRect&, const CoordRect&) = default;
};

// One key of the keyboard picture.
struct CoordButtonInfo {
    std::int32_t id = 0;
    std::int32_t value = 0;
    std::int32_t order = 0;
    std::int32_t index = 0;
    std::wstring name;
    CoordRect rect;
    std::uint32_t bground = 0;
    std::uint32_t fground = 0;
    std::wstring tip;
    std::int32_t checked = 0;
    std::int32_t hover = 0;
    std::int32_t selected = 0;
    std::int32_t disabled = 0;

    // A key's position in the picture (order, index) does not take part:
    // the same key found elsewhere is the same key.
    friend bool operator==(const CoordButtonInfo& a, const CoordButtonInfo& b);
};

#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "store/Shape.h"

// The screens' members of every group the keyboard logic holds, as the keyboard panel builds
// them. Each hook notes the group's name, so tests see what arrived and in which order.
class ScreenSide {
public:
    ScreenSide();
    ScreenSide(const ScreenSide&) = delete;
    ScreenSide& operator=(const ScreenSide&) = delete;

    std::vector<std::string> Events() const;
    void ClearEvents();

    ShapeList<MacroRecordGroup, 1> groups;
    ShapeType<rgba_t, 1000, 108, 1> keyColours;
    ShapeType<int, 1000, 1, 1> connected;
    ShapeType<int, 1001, 1, 1> colourSet;
    ShapeType<macrokey_pack_t, 10000, 1, 1> keyAssignment;
    ShapeType<macro_code_t, 2, 109, 1> keyCodes;
    ShapeType<int, -1, 1, 0> recordFlag;
    ShapeType<int, -1, 1, 0> factoryReset;
    ShapeType<int, -1, 1, 0> maskClear;
    ShapeType<_reg_mode_t, -1, 1, 0> currentRegister;
    ShapeType<_mode_attr_t, -1, 1, 0> modes;
    ShapeType<_profile_attr_t, -1, 1, 0> profiles;

private:
    template <class Shape>
    void Note(Shape& shape, const char* event) {
        shape.bind(this, typename Shape::Hook([this, event](int, const typename Shape::value_type*,
                                                            uint32_t, uint32_t, uint32_t, uint32_t,
                                                            int) { Add(event); }));
    }
    void Add(const char* event);

    mutable std::mutex lock_;
    std::vector<std::string> events_;
};

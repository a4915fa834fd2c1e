#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/SharedShapes.h"
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

    shapes::MacroGroups groups;
    shapes::KeyColours keyColours;
    shapes::Connected connected;
    shapes::ColourSet colourSet;
    shapes::KeyAssignment keyAssignment;
    shapes::KeyCodes keyCodes;
    shapes::RecordFlag recordFlag;
    shapes::FactoryReset factoryReset;
    shapes::MaskClear maskClear;
    shapes::Register currentRegister;
    shapes::Modes modes;
    shapes::Profiles profiles;

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

#include "ScreenCommands.h"

#include <list>
#include <string>

#include "records/SharedShapes.h"
#include "store/ShapeDispatcher.h"

namespace {

constexpr int kMaxGroups = 4;
constexpr int kMaxItems = 4;

enum Kind : std::uint8_t {
    SelectModeKind,
    SelectProfileKind,
    RegisterKind,
    ColourSetKind,
    KeyColourKind,
    AssignKind,
    ResetKind,
    MaskKind,
    ReplugKind,
    UnplugKind,
    PlugKind,
    GroupsKind,
    RecordKind,
    KindCount
};

}  // namespace

bool ScreenCommands::Delivered() {
    return ShapeDispatcher::waitIdle(std::chrono::seconds(10));
}

void ScreenCommands::Plan(ByteReader& input) {
    const int count = input.Byte() % (kMaxCommands + 1);
    for (int i = 0; i < count; ++i) actions_.push_back(PlanOne(input));
}

ScreenCommands::Action ScreenCommands::PlanOne(ByteReader& input) {
    switch (input.Byte() % KindCount) {
        case SelectModeKind:
            return SelectMode(input);
        case SelectProfileKind:
            return SelectProfile(input);
        case RegisterKind: {
            const auto reg = input.Record<_reg_mode_t>();
            return [this, reg](KeyboardLogic&, EmulatedBackend&) {
                screens_.currentRegister.set(reg, shapes::kApply, true, false);
            };
        }
        case ColourSetKind: {
            const int set = static_cast<std::int16_t>(input.Word());
            const int arg = input.Byte() % 2;
            return [this, set, arg](KeyboardLogic&, EmulatedBackend&) {
                screens_.colourSet.set(set, arg, true, true);
            };
        }
        case KeyColourKind: {
            const std::uint32_t key = input.Byte() % 108;
            const auto colour = input.Record<rgba_t>();
            return [this, key, colour](KeyboardLogic&, EmulatedBackend&) {
                screens_.keyColours.data()[key] = colour;
                screens_.keyColours.fireOthers(shapes::kApply, true);
            };
        }
        case AssignKind: {
            const auto pack = input.Record<macrokey_pack_t>();
            return [this, pack](KeyboardLogic&, EmulatedBackend&) {
                screens_.keyAssignment.current() = pack;
                screens_.keyAssignment.fireOthers(shapes::kApply, true);
            };
        }
        case ResetKind: {
            const int value = input.Int();
            return [this, value](KeyboardLogic&, EmulatedBackend&) {
                screens_.factoryReset.set(value, shapes::kApply, true, true);
            };
        }
        case MaskKind: {
            const int value = input.Int();
            return [this, value](KeyboardLogic&, EmulatedBackend&) {
                screens_.maskClear.set(value, shapes::kApply, true, true);
            };
        }
        case ReplugKind:
            return [](KeyboardLogic& logic, EmulatedBackend& backend) {
                backend.UnplugKeyboard();
                logic.OnRemove(EmulatedBackend::KeyboardPath());
                backend.PlugKeyboard();
                logic.OnArrival(EmulatedBackend::KeyboardPath());
            };
        case UnplugKind:
            return [](KeyboardLogic& logic, EmulatedBackend& backend) {
                backend.UnplugKeyboard();
                logic.OnRemove(EmulatedBackend::KeyboardPath());
            };
        case PlugKind:
            return [](KeyboardLogic& logic, EmulatedBackend& backend) {
                backend.PlugKeyboard();
                logic.OnArrival(EmulatedBackend::KeyboardPath());
            };
        case GroupsKind:
            return ShareGroups(input);
        default: {
            const int value = input.Byte() % 2;
            return [this, value](KeyboardLogic&, EmulatedBackend&) {
                screens_.recordFlag.set(value, shapes::kApply, true, false);
            };
        }
    }
}

// As the keyboard panel picks an entry; an index one or two past the list as a stale pick.
ScreenCommands::Action ScreenCommands::SelectMode(ByteReader& input) {
    const std::uint32_t pick = input.Word();
    return [this, pick](KeyboardLogic&, EmulatedBackend&) {
        const std::uint32_t index = pick % (screens_.modes.count + 2);
        if (!screens_.modes.selection.select(index, shapes::kAlreadyApplied, true, false)) {
            screens_.modes.selection.index = index;
            screens_.modes.fireOthers(shapes::kAlreadyApplied, true);
        }
    };
}

ScreenCommands::Action ScreenCommands::SelectProfile(ByteReader& input) {
    const std::uint32_t pick = input.Word();
    const int arg = input.Byte() % 2;
    return [this, pick, arg](KeyboardLogic&, EmulatedBackend&) {
        const std::uint32_t index = pick % (screens_.profiles.count + 2);
        if (!screens_.profiles.selection.select(index, arg, true, false)) {
            screens_.profiles.selection.index = index;
            screens_.profiles.fireOthers(arg, true);
        }
    };
}

// Groups as the macro editor shares them, with ids that may or may not be macro slots.
ScreenCommands::Action ScreenCommands::ShareGroups(ByteReader& input) {
    std::list<MacroRecordGroup> groups;
    const int count = input.Byte() % (kMaxGroups + 1);
    for (int g = 0; g < count; ++g) {
        MacroRecordGroup group;
        MacroRecordGpInfo& info = group.info.current();
        info.id = static_cast<std::int8_t>(input.Byte());
        info.repeat = input.Byte();
        info.name = L"G" + std::to_wstring(g);
        const int items = input.Byte() % (kMaxItems + 1);
        for (int i = 0; i < items; ++i) {
            MacroRecordGpItem item;
            item.code = input.Word();
            item.state = input.Byte() % 2;
            item.delay = input.Word();
            group.items.current().push_back(item);
        }
        groups.push_back(group);
    }
    return [this, groups](KeyboardLogic&, EmulatedBackend&) {
        screens_.groups.current() = groups;
        screens_.groups.fireOthers(shapes::kApply, false);
    };
}

bool ScreenCommands::Run(KeyboardLogic& logic, EmulatedBackend& backend) {
    for (const Action& action : actions_) {
        action(logic, backend);
        if (!Delivered()) return false;
    }
    return true;
}

bool ScreenCommands::TablesKeepTheirSize() const {
    return screens_.keyCodes.count == 109 && screens_.keyColours.count == 108 &&
           screens_.currentRegister.count == 1;
}

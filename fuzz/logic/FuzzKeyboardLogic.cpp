// Runs a whole connection read and a burst of user actions through the keyboard logic while the
// emulated keyboard's answers are spoiled by the fuzzer's bytes: failed reports, wrong echoes,
// information blocks with odd counts, names without a NUL, macro blocks claiming more than 109
// steps, key codes of every type. Input: the number of actions and the actions, then the answer
// script (see FuzzedAnswers).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ByteReader.h"
#include "FuzzedAnswers.h"
#include "ScreenCommands.h"
#include "device/DeviceLink.h"
#include "emulator/VirtualKeyboard.h"
#include "logic/KeyboardLogic.h"

namespace {

const KeyboardShape kShape{3, 12, 4, 16};

// Two keys play macros, so the macro slots are read without any help from the script.
void PutMacros(VirtualKeyboard& keyboard) {
    keyboard.Modify([](KeyboardState& state) {
        for (int slot : {2, 5}) {
            macro_block_t block;
            block.name.set("M" + std::to_string(slot));
            block.repeat = 1;
            for (unsigned i = 0; i < 3; ++i) block.append(macro_step_t::make(0x04 + i, 10, i % 2));
            state.macroSlots[static_cast<std::size_t>(slot)] = block;
            state.keyCodes[static_cast<std::size_t>(slot + 10)] =
                macro_code_t::make(3, static_cast<unsigned>(slot));
        }
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader input(data, size);
    auto screens = std::make_unique<ScreenCommands>();
    screens->Plan(input);

    auto keyboard = std::make_shared<VirtualKeyboard>(kShape);
    PutMacros(*keyboard);
    auto emulator = std::make_shared<EmulatedBackend>(keyboard);
    emulator->SetLogging(false);
    auto answers = std::make_shared<FuzzedAnswers>(emulator, input.Rest());
    auto link = std::make_unique<DeviceLink>(answers);

    auto logic = std::make_unique<KeyboardLogic>(link.get());
    if (!ScreenCommands::Delivered()) __builtin_trap();  // the connection read never ended
    if (!screens->Run(*logic, *emulator)) __builtin_trap();
    if (!screens->TablesKeepTheirSize()) __builtin_trap();
    logic.reset();
    if (!ScreenCommands::Delivered()) __builtin_trap();
    return 0;
}

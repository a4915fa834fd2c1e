#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ByteReader.h"
#include "emulator/EmulatedBackend.h"
#include "logic/KeyboardLogic.h"
#include "support/ScreenSide.h"

// The screens' members of the keyboard logic's groups, and a burst of user actions on them
// read from the fuzzer's bytes before anything runs, so that the answer script, read by the
// dispatcher thread afterwards, is consumed in the same order on every run of an input.
class ScreenCommands {
public:
    // Reads at most kMaxCommands actions.
    void Plan(ByteReader& input);
    // Publishes each action as the screens would and lets the dispatcher deliver it; false when
    // a delivery does not end in time.
    bool Run(KeyboardLogic& logic, EmulatedBackend& backend);

    // Counts a fuzzed answer must never change.
    bool TablesKeepTheirSize() const;

    // Waits until the dispatcher has delivered every change; false when it does not end in time.
    static bool Delivered();

    static constexpr int kMaxCommands = 24;

private:
    using Action = std::function<void(KeyboardLogic&, EmulatedBackend&)>;
    Action PlanOne(ByteReader& input);
    Action SelectMode(ByteReader& input);
    Action SelectProfile(ByteReader& input);
    Action ShareGroups(ByteReader& input);

    std::vector<Action> actions_;
    ScreenSide screens_;
};

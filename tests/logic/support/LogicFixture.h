#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "device/DeviceLink.h"
#include "emulator/VirtualKeyboard.h"
#include "logic/KeyboardLogic.h"
#include "support/AnswerPatcher.h"
#include "support/ScreenSide.h"

// One report the program sent: a query request (command with bit 7) or a write.
struct Request {
    int command = 0;
    int sub = 0;
    uint32_t offset = 0;
    int length = 0;
    std::vector<uint8_t> payload;  // the data of a write; empty for a query

    friend bool operator==(const Request&, const Request&) = default;
};
std::ostream& operator<<(std::ostream& out, const Request& request);

Request Query(int command, int sub, int length);
template <class T>
Request Write(int command, int sub, uint32_t offset, const T& payload) {
    auto bytes = reinterpret_cast<const uint8_t*>(&payload);
    return {command, sub, offset, static_cast<int>(sizeof payload),
            std::vector<uint8_t>(bytes, bytes + sizeof payload)};
}

// The emulated keyboard (3 profiles, 12 modes, 4 colour sets and 16 macro slots unless a test
// builds another), a link over it, the screens' members and the keyboard logic under test.
class LogicTest : public ::testing::Test {
protected:
    LogicTest() { Build(KeyboardShape{3, 12, 4, 16}); }
    ~LogicTest() override;

    // Starts over with a fresh keyboard of this shape; no keyboard logic exists afterwards.
    void Build(const KeyboardShape& shape);
    // Builds the keyboard logic (which connects and reads) and waits for the dispatcher.
    void Connect();
    // Unplugs and plugs the keyboard with the logic's removal and arrival reactions.
    void Replug();
    static void Idle();
    // Publishes a key-assignment request as the macro editor does and waits for its hook.
    void PublishAssignment(const macrokey_pack_t& pack);
    // Gives the group list to every holder, as the macro editor does, and waits.
    void ShareGroups(std::list<MacroRecordGroup> groups);

    // The reports the program sent since the last ClearLog.
    std::vector<Request> Requests() const;
    size_t CountOf(int command) const;
    void ClearLog() { backend->ClearLog(); }

    // Puts a macro of `steps` key-down steps of `usage` in `slot` and plays it from `key`.
    void PutMacro(int key, int slot, uint8_t usage, int steps, uint8_t repeat = 1);

    std::shared_ptr<VirtualKeyboard> keyboard;
    std::shared_ptr<EmulatedBackend> backend;
    std::shared_ptr<AnswerPatcher> patcher;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<ScreenSide> screens;
    std::unique_ptr<KeyboardLogic> logic;
};

// The reports of a whole connection read, in order.
std::vector<Request> ExpectedConnectionRead(int profiles, int modes, const std::vector<int>& slots,
                                            int colourSet);

// The keyboard's whole state as the keyboard logic answers a snapshot request.
#include <gtest/gtest.h>

#include <cstring>

#include "emulator/EmulatedBackend.h"
#include "records/SharedShapes.h"
#include "support/LogicFixture.h"

namespace {

constexpr int kNoRequest = 0;

class Snapshot : public LogicTest {
protected:
    Snapshot()
        : request_(shapes::kSnapshotRequestName, &kNoRequest, 1, false),
          answer_(shapes::kSnapshotName, nullptr, 0, false) {}

    // The answer, or nothing when the keyboard logic published none.
    std::optional<KeyboardSnapshot> Ask(shapes::SnapshotSource source) {
        answer_.store(nullptr, 0, false);
        request_.set(static_cast<int>(source), shapes::kApply, false, true);
        Idle();
        if (answer_.count == 0) return std::nullopt;
        return answer_.data()[0];
    }

    shapes::SnapshotRequest request_;
    shapes::Snapshot answer_;
};

TEST_F(Snapshot, HoldsEveryProfileColourSetKeyAndPlayedMacro) {
    PutMacro(5, 2, 0x04, 3);
    PutMacro(6, 2, 0x04, 3);  // two keys, one slot
    PutMacro(40, 9, 0x05, 2);
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.activeProfile = 2;
        s.profileModes[1] = 7;
        s.Register(1, 7).settings = 0xFF;
        s.colourSets[3][10] = rgba_t{1, 2, 3, 4};
        s.selectedColourSet = 1;
    }));
    Connect();
    const std::optional<KeyboardSnapshot> snapshot = Ask(shapes::kQuietRead);
    ASSERT_TRUE(snapshot);
    const KeyboardState state = keyboard->State();
    EXPECT_EQ(snapshot->productId, 0x1514);
    ASSERT_EQ(snapshot->modeNames.size(), 12u);
    EXPECT_EQ(snapshot->modeNames[3], std::string(keyboard->Mode(3).name.text()));
    ASSERT_EQ(snapshot->profiles.size(), 3u);
    EXPECT_EQ(snapshot->activeProfile, 2);
    EXPECT_EQ(snapshot->profiles[1].activeMode, 7);
    for (int p = 0; p < 3; ++p)
        for (int m = 0; m < 12; ++m)
            EXPECT_EQ(std::memcmp(&snapshot->profiles[p].registers[m], &state.Register(p, m),
                                  sizeof(_reg_mode_t)),
                      0);
    ASSERT_EQ(snapshot->colourSets.size(), 4u);
    for (int s = 0; s < 4; ++s)
        EXPECT_TRUE(std::equal(snapshot->colourSets[s].begin(), snapshot->colourSets[s].end(),
                               state.colourSets[s].begin(), state.colourSets[s].end()));
    EXPECT_EQ(snapshot->activeColourSet, 1);
    EXPECT_TRUE(std::equal(snapshot->keyCodes.begin(), snapshot->keyCodes.end(),
                           state.keyCodes.begin(), state.keyCodes.end()));
    ASSERT_EQ(snapshot->macros.size(), 2u);
    EXPECT_EQ(snapshot->macros.at(2), state.macroSlots[2]);
    EXPECT_EQ(snapshot->macros.at(9), state.macroSlots[9]);
    // Asking changes nothing on the keyboard.
    EXPECT_EQ(keyboard->State().selectedColourSet, 1);
}

// The keyboard may change by itself (its own profile key): every snapshot reads it; only a read
// as at a connection shows the change on the screens.
TEST_F(Snapshot, SeesChangesBehindTheLogicsBackAndPublishesThemOnlyAfterARead) {
    Connect();
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.Register(0, 1).foregroundBrightness = 201;
        s.profileModes[0] = 4;
        s.activeProfile = 1;
    }));
    const auto quiet = Ask(shapes::kQuietRead);
    ASSERT_TRUE(quiet);
    EXPECT_EQ(quiet->profiles[0].registers[1].foregroundBrightness, 201);
    EXPECT_EQ(quiet->profiles[0].activeMode, 4);
    EXPECT_EQ(quiet->activeProfile, 1);
    EXPECT_EQ(screens->profiles.index(), 0u);
    EXPECT_EQ(logic->profileTable().index(), 0u);

    const auto read = Ask(shapes::kAfterRead);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->profiles[0].registers[1].foregroundBrightness, 201);
    EXPECT_EQ(screens->profiles.index(), 1u);
    EXPECT_EQ(logic->profileTable().data()[0].index(), 4u);
}

TEST_F(Snapshot, NoAnswerWithoutTheKeyboardOrWhenAQueryFails) {
    Connect();
    // A report in the middle of the read.
    backend->FailReport(backend->ReportCount() + 30);
    EXPECT_FALSE(Ask(shapes::kQuietRead));
    backend->ClearFaults();
    EXPECT_TRUE(Ask(shapes::kQuietRead));
    backend->UnplugKeyboard();
    logic->OnRemove(EmulatedBackend::KeyboardPath());
    Idle();
    EXPECT_FALSE(Ask(shapes::kQuietRead));
}

}  // namespace

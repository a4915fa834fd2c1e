#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "emulator/KeyboardStateFile.h"
#include "emulator/VirtualKeyboard.h"

namespace {

namespace fs = std::filesystem;

class KeyboardStateFileTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("keylume-state-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = dir_ / "keyboard.bin";
    }
    void TearDown() override { fs::remove_all(dir_); }

    static KeyboardState Changed() {
        KeyboardState state = KeyboardState::Defaults();
        state.activeProfile = 2;
        state.profileModes[1] = 13;
        state.Register(2, 7).foregroundBrightness = 3;
        state.selectedColourSet = 3;
        state.colourSets[3][10] = {9, 8, 7, 6};
        state.keyCodes[100] = macro_code_t::make(3, 4);
        state.macroSlots[4].name.set("mine");
        state.macroSlots[4].append(macro_step_t::make(5, 10, 0));
        state.masks = 0x0101;
        return state;
    }

    std::vector<char> Contents() {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Write(const std::vector<char>& bytes) {
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    fs::path dir_;
    fs::path file_;
};

void ExpectSameMemory(const KeyboardState& a, const KeyboardState& b) {
    EXPECT_EQ(a.shape, b.shape);
    EXPECT_EQ(a.registers, b.registers);
    EXPECT_EQ(a.profileModes, b.profileModes);
    EXPECT_EQ(a.activeProfile, b.activeProfile);
    EXPECT_EQ(a.colourSets, b.colourSets);
    EXPECT_EQ(a.selectedColourSet, b.selectedColourSet);
    EXPECT_EQ(a.keyCodes, b.keyCodes);
    EXPECT_EQ(a.macroSlots, b.macroSlots);
    EXPECT_EQ(a.control, b.control);
    EXPECT_EQ(a.masks, b.masks);
}

TEST_F(KeyboardStateFileTest, RoundTrip) {
    KeyboardState state = Changed();
    ASSERT_TRUE(SaveKeyboardState(state, file_));
    EXPECT_FALSE(fs::exists(dir_ / "keyboard.bin.tmp"));
    std::optional<KeyboardState> loaded = LoadKeyboardState(file_, {});
    ASSERT_TRUE(loaded);
    ExpectSameMemory(*loaded, state);
    EXPECT_EQ(loaded->modes, state.modes);
}

// Saved as the program's other files are: in one step, never through a name beside the file,
// and for the user alone.
TEST_F(KeyboardStateFileTest, SavingWritesNoOtherFileAndKeepsTheFilePrivate) {
    const fs::path other = dir_ / "other";
    std::ofstream(other) << "kept";
    fs::create_symlink(other, dir_ / "keyboard.bin.tmp");
    ASSERT_TRUE(SaveKeyboardState(Changed(), file_));
    std::ifstream kept(other);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");
    EXPECT_FALSE(fs::is_symlink(file_));
    EXPECT_EQ(fs::status(file_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(KeyboardStateFileTest, DamagedFilesAreRefused) {
    ASSERT_TRUE(SaveKeyboardState(Changed(), file_));
    const std::vector<char> good = Contents();

    EXPECT_FALSE(LoadKeyboardState(dir_ / "missing.bin", {}));

    std::vector<char> truncated(good.begin(), good.end() - 1);
    Write(truncated);
    EXPECT_FALSE(LoadKeyboardState(file_, {}));

    for (std::size_t at : {std::size_t{0}, std::size_t{9}, good.size() / 2, good.size() - 1}) {
        std::vector<char> flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x40);
        Write(flipped);
        EXPECT_FALSE(LoadKeyboardState(file_, {})) << "byte " << at;
    }

    Write({});
    EXPECT_FALSE(LoadKeyboardState(file_, {}));
    Write(std::vector<char>(3 << 20, 'x'));
    EXPECT_FALSE(LoadKeyboardState(file_, {}));

    Write(good);
    EXPECT_TRUE(LoadKeyboardState(file_, {}));
}

TEST_F(KeyboardStateFileTest, FileOfAnotherShapeIsRefused) {
    ASSERT_TRUE(SaveKeyboardState(KeyboardState::Defaults({2, 12, 4, 16}), file_));
    EXPECT_FALSE(LoadKeyboardState(file_, {}));
    EXPECT_TRUE(LoadKeyboardState(file_, {2, 12, 4, 16}));
}

TEST_F(KeyboardStateFileTest, SavedStateWithOutOfRangeSelectionIsRefused) {
    KeyboardState state = KeyboardState::Defaults();
    state.activeProfile = 7;
    ASSERT_TRUE(SaveKeyboardState(state, file_));
    EXPECT_FALSE(LoadKeyboardState(file_, {}));
}

TEST_F(KeyboardStateFileTest, KeyboardRemembersItsSettingsBetweenRuns) {
    {
        VirtualKeyboard keyboard;
        EXPECT_FALSE(keyboard.UseStateFile(file_));  // nothing stored yet
        FeaturePacket write;
        write.command = ActiveProfile;
        write.length = 1;
        write.data[0] = 1;
        ASSERT_TRUE(keyboard.Receive(write));
    }
    VirtualKeyboard next;
    EXPECT_TRUE(next.UseStateFile(file_));
    EXPECT_EQ(next.ActiveProfile(), 1);
}

TEST_F(KeyboardStateFileTest, DamagedFileStartsFromFactorySettings) {
    Write({'K', 'L', 'K', 'B', 'r', 'o', 't'});
    VirtualKeyboard keyboard;
    keyboard.Modify([](KeyboardState& state) { state.activeProfile = 2; });
    EXPECT_FALSE(keyboard.UseStateFile(file_));
    EXPECT_EQ(keyboard.ActiveProfile(), 0);
    EXPECT_TRUE(LoadKeyboardState(file_, {}));  // rewritten whole
}

TEST_F(KeyboardStateFileTest, UnwritableFileIsIgnored) {
    VirtualKeyboard keyboard;
    EXPECT_FALSE(keyboard.UseStateFile(dir_ / "no-such-folder" / "keyboard.bin"));
    EXPECT_TRUE(keyboard.Modify([](KeyboardState& state) { state.activeProfile = 1; }));
    EXPECT_EQ(keyboard.ActiveProfile(), 1);
}

TEST_F(KeyboardStateFileTest, AFailedSaveLeavesNoTemporaryBehind) {
    // The state file's path is a folder: the temporary is written, the rename fails.
    const std::filesystem::path folder = dir_ / "state-is-a-folder";
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(SaveKeyboardState(KeyboardState::Defaults(), folder));
    std::vector<std::filesystem::path> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        if (entry.path() != folder) left.push_back(entry.path());
    EXPECT_TRUE(left.empty()) << left.front();
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace

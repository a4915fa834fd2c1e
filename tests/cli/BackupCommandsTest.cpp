// keylume export and import against the emulated keyboard: a backup gives the keyboard back,
// a bad or foreign file sends nothing, a keyboard that fails midway says what was restored.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>

#include "LocalCommandsFixture.h"
#include "persist/MacroSharing.h"
#include "persist/SmallTextFile.h"

namespace {

namespace fs = std::filesystem;

// A keyboard that takes every report but the writes of one command.
class CommandRefusingBackend : public RefusingBackend {
public:
    CommandRefusingBackend(std::shared_ptr<EmulatedBackend> inner, std::uint8_t command)
        : RefusingBackend(inner), inner_(std::move(inner)), command_(command) {}
    bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) override {
        if (!IsQuery(report) && FeaturePacket::FromReport(report).command == command_) return false;
        return inner_->SetFeature(handle, report, size);
    }

private:
    std::shared_ptr<EmulatedBackend> inner_;
    std::uint8_t command_;
};

bool SameBytes(const _reg_mode_t& a, const _reg_mode_t& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class BackupCommands : public LocalCommands {
protected:
    std::string File(const std::string& name) const {
        return (fs::path(folder.path().string()) / name).string();
    }

    static std::string Text(const std::string& file) {
        return persist::ReadSmallTextFile(file, 1 << 24, "a test file").text;
    }

    static void Write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

    // Every register byte, both alpha bytes and the odd bits a window never sets.
    void FillKeyboard() {
        ASSERT_TRUE(Keyboard().Modify([](KeyboardState& state) {
            std::mt19937 random(7);
            for (_reg_mode_t& reg : state.registers) {
                auto* bytes = reinterpret_cast<std::uint8_t*>(&reg);
                for (std::size_t i = 0; i < sizeof reg; ++i)
                    bytes[i] = static_cast<std::uint8_t>(random());
            }
            for (std::size_t p = 0; p < state.profileModes.size(); ++p)
                state.profileModes[p] = static_cast<std::uint8_t>(3 + p);
            state.activeProfile = 2;
            for (KeyColourSet& set : state.colourSets)
                for (rgba_t& colour : set)
                    colour = {static_cast<std::uint8_t>(random()),
                              static_cast<std::uint8_t>(random()),
                              static_cast<std::uint8_t>(random()),
                              static_cast<std::uint8_t>(random() % 3 == 0 ? random() : 0)};
            state.selectedColourSet = 3;
            state.keyCodes[40] = macro_code_t::make(1, 0x123);  // a direct type no window writes
        }));
        persist::MacroGroupContent greeting;
        greeting.info = {-1, 2, L"Greeting"};
        for (int code : {0x23, 0x12, 0x26})
            for (int state : {0, 1}) greeting.items.push_back({code, state, 30 + code, L""});
        // The macro file holds groups as a shared file does.
        Write(paths.macroFile.string(), persist::WriteSharedGroups({greeting}));
        for (const std::vector<std::string>& line :
             {std::vector<std::string>{"assign", "F1", "--key", "a"},
              {"assign", "F2", "--function", "Mute"},
              {"assign", "F3", "--combination", "Copy"},
              {"assign", "F4", "--macro", "Greeting"}})
            ASSERT_EQ(Run(line), kExitDone) << line[1] << ": " << err.str();
    }

    // The keyboard as a backup must give it back; macro slots may differ.
    static void ExpectSameKeyboard(const KeyboardState& want, const KeyboardState& got) {
        ASSERT_EQ(want.registers.size(), got.registers.size());
        for (std::size_t i = 0; i < want.registers.size(); ++i)
            EXPECT_TRUE(SameBytes(want.registers[i], got.registers[i])) << "register " << i;
        EXPECT_EQ(want.profileModes, got.profileModes);
        EXPECT_EQ(want.activeProfile, got.activeProfile);
        EXPECT_EQ(want.colourSets, got.colourSets);
        EXPECT_EQ(want.selectedColourSet, got.selectedColourSet);
        for (std::size_t k = 0; k < want.keyCodes.size(); ++k) {
            const macro_code_t a = want.keyCodes[k], b = got.keyCodes[k];
            if (!a.playsMacro()) {
                EXPECT_EQ(a, b) << "key " << k;
                continue;
            }
            ASSERT_EQ(a.type(), b.type()) << "key " << k;
            EXPECT_EQ(want.macroSlots.at(a.value()), got.macroSlots.at(b.value())) << "key " << k;
        }
    }
};

TEST_F(BackupCommands, ARestoredBackupGivesBackTheKeyboardAndTheSameFile) {
    FillKeyboard();
    const std::string first = File("keyboard.json");
    ASSERT_EQ(Run({"export", first}), kExitDone) << err.str();
    const KeyboardState original = Keyboard().State();
    const std::string groupsBefore = Text(paths.macroFile.string());

    Keyboard().FactoryReset();
    ASSERT_EQ(Run({"import", first, "--yes"}), kExitDone) << err.str();
    EXPECT_NE(out.str().find("restored the whole keyboard"), std::string::npos) << out.str();
    ExpectSameKeyboard(original, Keyboard().State());

    const std::string second = File("again.json");
    ASSERT_EQ(Run({"export", second}), kExitDone) << err.str();
    EXPECT_EQ(Text(first), Text(second));
    // The groups were there already: nothing is added twice.
    EXPECT_EQ(Text(paths.macroFile.string()), groupsBefore);

    // Earlier versions named keys since renamed, and numbered the two that shared a name.
    std::string old = Text(first);
    for (const auto& [now, before] : {std::pair<std::string, std::string>{"\"'\":", "\"\u2018\":"},
                                      {"\"ISO#\":", "\"entry 70\":"},
                                      {"\"\\\\\":", "\"entry 50\":"},
                                      {"\"ISO\\\\\":", "\"K45\":"}}) {
        std::size_t at = old.find(now);
        EXPECT_NE(at, std::string::npos) << now;
        for (; at != std::string::npos; at = old.find(now, at)) old.replace(at, now.size(), before);
    }
    const std::string earlier = File("earlier.json");
    Write(earlier, old);
    Keyboard().FactoryReset();
    ASSERT_EQ(Run({"import", earlier, "--yes"}), kExitDone) << err.str();
    ExpectSameKeyboard(original, Keyboard().State());
}

// Every slot plays a macro, and the file brings sixteen other macros for the same keys: the
// slots the keys let go of are used again, whatever the program's groups remember.
TEST_F(BackupCommands, AFileThatReplacesEveryMacroFindsItsSlots) {
    auto playMacros = [](std::uint8_t usage) {
        return [usage](KeyboardState& state) {
            for (int slot = 0; slot < 16; ++slot) {
                macro_block_t& block = state.macroSlots[static_cast<std::size_t>(slot)];
                block = macro_block_t{};
                block.name.set("m" + std::to_string(slot));
                block.repeat = 1;
                block.append(macro_step_t::make(usage, static_cast<unsigned>(slot), 0));
                state.keyCodes[static_cast<std::size_t>(20 + slot)] =
                    macro_code_t::make(3, static_cast<unsigned>(slot));
            }
        };
    };
    ASSERT_TRUE(Keyboard().Modify(playMacros(0x04)));
    const std::string file = File("sixteen.json");
    ASSERT_EQ(Run({"export", file}), kExitDone) << err.str();
    const KeyboardState original = Keyboard().State();
    ASSERT_TRUE(Keyboard().Modify(playMacros(0x05)));
    ASSERT_EQ(Run({"status"}), kExitDone);  // the program now knows the other macros

    ASSERT_EQ(Run({"import", file, "--yes"}), kExitDone) << err.str();
    ExpectSameKeyboard(original, Keyboard().State());
}

// A file can make any key type anything: without --yes the keys it changes are listed and
// nothing is sent.
TEST_F(BackupCommands, KeysAFileChangesAreListedAndRestoredOnlyWithYes) {
    macro_block_t shell;
    shell.name.set("t");
    shell.repeat = 1;
    for (std::uint8_t usage : {0xE0, 0xE2, 0x17})  // Ctrl, Alt, T held together
        shell.append(macro_step_t::make(usage, 10, macro_step_t::KEY_DOWN));
    for (std::uint8_t usage : {0x17, 0xE2, 0xE0}) shell.append(macro_step_t::make(usage, 10, 1));
    for (std::uint8_t usage : {0x06, 0x18, 0x15, 0x0F, 0x28}) {  // c u r l Enter
        shell.append(macro_step_t::make(usage, 10, macro_step_t::KEY_DOWN));
        shell.append(macro_step_t::make(usage, 10, macro_step_t::KEY_UP));
    }
    ASSERT_TRUE(Keyboard().Modify([&](KeyboardState& state) {
        state.macroSlots[0] = shell;
        state.keyCodes[71] = macro_code_t::make(3, 0);     // Enter plays the macro
        state.keyCodes[97] = macro_code_t::make(2, 0x28);  // the space bar sends Enter
    }));
    const std::string file = File("crafted.json");
    ASSERT_EQ(Run({"export", file}), kExitDone) << err.str();
    Keyboard().FactoryReset();
    const KeyboardState reset = Keyboard().State();

    EXPECT_EQ(Run({"import", file}), kExitUsage);
    EXPECT_NE(err.str().find("Enter \u2192 macro \"t\": Ctrl+Alt+T, c u r l, Enter  (!) remaps a "
                             "common key, holds Ctrl+Alt, presses Enter"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("SpaceBar \u2192 key Enter  (!) remaps a common key"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("--yes"), std::string::npos);
    EXPECT_EQ(Sent(), 0u);
    EXPECT_EQ(Run({"import", file, "--dry-run"}), kExitDone) << err.str();
    EXPECT_NE(out.str().find("2 keys play something else; nothing was sent"), std::string::npos)
        << out.str();
    EXPECT_EQ(Sent(), 0u);
    EXPECT_EQ(Keyboard().State().keyCodes, reset.keyCodes);

    ASSERT_EQ(Run({"import", file, "--yes"}), kExitDone) << err.str();
    EXPECT_EQ(Keyboard().KeyCodes()[97], macro_code_t::make(2, 0x28));
    EXPECT_TRUE(Keyboard().KeyCodes()[71].playsMacro());
}

TEST_F(BackupCommands, BadFilesAreRefusedWithThePlaceAndNothingIsSent) {
    FillKeyboard();
    const std::string good = File("good.json");
    ASSERT_EQ(Run({"export", good}), kExitDone) << err.str();
    const std::string text = Text(good);
    auto replaced = [&](const std::string& from, const std::string& to, bool every = false) {
        std::string changed = text;
        std::size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        while (at != std::string::npos) {
            changed.replace(at, from.size(), to);
            at = every ? changed.find(from, at + to.size()) : std::string::npos;
        }
        return changed;
    };
    // What only the keyboard can tell (its modes, its product) is found after reading it; the
    // rest before it is even opened.
    const struct {
        const char* what;
        std::string text;
        const char* says;
        bool readsKeyboard;
    } cases[] = {
        {"truncated", text.substr(0, text.size() / 2), "the file is", false},
        {"not JSON", "keyboard", "the file is not JSON", false},
        {"too long", text + std::string(1 << 20, ' '), "larger than 1048576 bytes", false},
        {"unknown version", replaced("\"version\": 1", "\"version\": 2"), "version is 2, a version",
         false},
        {"wrong type", replaced("\"version\": 1", "\"version\": \"1\""),
         "version is not a whole number", false},
        {"other product", replaced("0x1514", "0x1511"), "another keyboard (product id 0x1511)",
         true},
        {"out of range", replaced("\"speed\": ", "\"speed\": 99"), "speed is 99", false},
        {"unknown key", replaced("\"F1\": {", "\"Fn9\": {"), "keys/Fn9 is", false},
        {"unlisted mode", replaced("\"Wave\"", "\"Sparkle\""), "registers/Wave is", false},
        {"unknown mode", replaced("\"Wave\"", "\"Sparkle\"", true), "no mode \"Sparkle\"", true},
    };
    for (const auto& bad : cases) {
        const std::string file = File(std::string(bad.what) + ".json");
        Write(file, bad.text);
        EXPECT_EQ(Run({"import", file}), kExitUsage) << bad.what;
        EXPECT_EQ(Sent(), 0u) << bad.what;
        EXPECT_EQ(backend->Log().empty(), !bad.readsKeyboard) << bad.what;
        EXPECT_NE(err.str().find(bad.says), std::string::npos) << bad.what << ": " << err.str();
    }
    EXPECT_EQ(Run({"import", File("missing.json")}), kExitUsage);
    EXPECT_TRUE(backend->Log().empty());
    EXPECT_EQ(Run({"import", folder.path().string()}), kExitUsage);
    EXPECT_TRUE(backend->Log().empty());
}

TEST_F(BackupCommands, AKeyboardOfAnotherShapeTakesOnlyWhatMatchesWhenAsked) {
    FillKeyboard();
    const std::string file = File("three.json");
    ASSERT_EQ(Run({"export", file}), kExitDone) << err.str();
    const KeyboardState original = Keyboard().State();

    KeyboardShape two;
    two.profiles = 2;
    backend = std::make_shared<EmulatedBackend>(std::make_shared<VirtualKeyboard>(two));
    EXPECT_EQ(Run({"import", file}), kExitUsage);
    EXPECT_NE(err.str().find("the file has 3 profiles, the keyboard 2"), std::string::npos)
        << err.str();
    EXPECT_EQ(Sent(), 0u);

    ASSERT_EQ(Run({"import", file, "--partial", "--yes"}), kExitDone) << err.str();
    EXPECT_NE(out.str().find("restored what matches"), std::string::npos) << out.str();
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(Keyboard().ProfileMode(p), original.profileModes[static_cast<std::size_t>(p)]);
        for (int m = 0; m < two.modes; ++m)
            EXPECT_TRUE(SameBytes(Keyboard().Register(p, m),
                                  original.registers[static_cast<std::size_t>(p * two.modes + m)]));
    }
    EXPECT_EQ(Keyboard().State().colourSets, original.colourSets);

    // A keyboard of another product gives back what matches too, and the outcome names it.
    std::string other = Text(file);
    other.replace(other.find("0x1514"), 6, "0x1511");
    Write(file, other);
    ASSERT_EQ(Run({"import", file, "--partial"}), kExitDone) << err.str();
    EXPECT_NE(out.str().find("another keyboard (product id 0x1511)"), std::string::npos)
        << out.str();
}

// An export never replaces what the user protected, and says why as the system does.
TEST_F(BackupCommands, AnExportThatCannotBeWrittenSavesNothingAndSaysWhy) {
    const std::string kept = File("kept.json");
    Write(kept, "kept");
    fs::permissions(kept, fs::perms::owner_read);
    const struct {
        std::string file;
        int error;
    } cases[] = {{kept, EACCES}, {File("missing/keyboard.json"), ENOENT}};
    for (const auto& c : cases) {
        EXPECT_EQ(Run({"export", c.file}), kExitKeyboard) << c.file;
        EXPECT_NE(err.str().find(std::strerror(c.error)), std::string::npos) << err.str();
    }
    EXPECT_EQ(Text(kept), "kept");
}

TEST_F(BackupCommands, AReportRefusedMidwaySaysWhatWasRestoredAndTheKeyboardStaysUsable) {
    FillKeyboard();
    const std::string file = File("keyboard.json");
    ASSERT_EQ(Run({"export", file}), kExitDone) << err.str();
    const KeyboardState original = Keyboard().State();
    Keyboard().FactoryReset();

    auto inner = backend;
    const int code = RunLocally(
        {"import", file, "--yes"}, paths,
        [&](const std::string&) -> std::shared_ptr<HidBackend> {
            return std::make_shared<CommandRefusingBackend>(inner, KeyColours);
        },
        out, err);
    EXPECT_EQ(code, kExitKeyboard);
    EXPECT_NE(err.str().find("did not take the colour sets; restored the lighting; not restored: "
                             "the colour sets, the macro groups, the key assignments"),
              std::string::npos)
        << err.str();
    for (std::size_t i = 0; i < original.registers.size(); ++i)
        EXPECT_TRUE(SameBytes(original.registers[i], Keyboard().State().registers[i]));

    // The same file again on a keyboard that takes everything finishes the job.
    ASSERT_EQ(Run({"import", file, "--yes"}), kExitDone) << err.str();
    ExpectSameKeyboard(original, Keyboard().State());
}

}  // namespace

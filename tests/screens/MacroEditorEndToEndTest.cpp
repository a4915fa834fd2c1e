// The editor against the keyboard logic, the emulated keyboard and a macro file.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "device/DeviceLink.h"
#include "emulator/VirtualKeyboard.h"
#include "logic/KeyboardLogic.h"
#include "logic/MacroBlockCodec.h"
#include "persist/MacroFile.h"
#include "records/KeyTable.h"
#include "support/MacroTestSupport.h"

namespace macrotest {
namespace {

class MacroEndToEnd : public MacroEditorTest {
protected:
    void SetUp() override {
        MacroEditorTest::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("keylume-macro-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
        file = std::make_unique<MacroFile>(folder / "macro.xml");
        keyboard = std::make_shared<VirtualKeyboard>(KeyboardShape{3, 12, 4, 16});
        link = std::make_unique<DeviceLink>(std::make_shared<EmulatedBackend>(keyboard));
        logic = std::make_unique<KeyboardLogic>(link.get());
        Settle();
    }
    void TearDown() override {
        Close();
        logic.reset();
        Settle();
        link.reset();
        file.reset();
        std::filesystem::remove_all(folder);
        MacroEditorTest::TearDown();
    }
    // Opens the editor for a key, adds a group, records the taps and confirms.
    void RecordAndAssign(int keyIndex, std::initializer_list<unsigned> taps) {
        key.index = keyIndex;
        Open();
        Click("groupAdd");
        Check("chk_macro_record");
        for (unsigned evdev : taps) Tap(evdev);
        Click("btnOK");
        Close();
    }
    std::string FileText() {
        std::ifstream in(folder / "macro.xml");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static int Count(const std::string& text, const std::string& needle) {
        int n = 0;
        for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
            ++n;
        return n;
    }
    std::vector<int> SlotUsages(int keyIndex) {
        const macro_code_t code = keyboard->KeyCodes()[static_cast<size_t>(keyIndex)];
        std::vector<int> usages;
        if (code.type() != 3) return usages;
        const macro_block_t block = keyboard->Macro(code.value());
        for (size_t i = 0; i < block.stepCount(); ++i) usages.push_back(block.steps[i].key);
        return usages;
    }

    std::filesystem::path folder;
    std::unique_ptr<MacroFile> file;
    std::shared_ptr<VirtualKeyboard> keyboard;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<KeyboardLogic> logic;
};

TEST_F(MacroEndToEnd, RecordedMacrosReachTheKeyboardAndTheFile) {
    RecordAndAssign(5, {KEY_A, KEY_B});
    EXPECT_EQ(SlotUsages(5), (std::vector<int>{0x04, 0x04, 0x05, 0x05}));
    const std::string text = FileText();
    EXPECT_NE(text.find("Group 0"), std::string::npos) << text;

    RecordAndAssign(9, {KEY_C});
    EXPECT_EQ(SlotUsages(9), (std::vector<int>{0x06, 0x06}));
    // The first macro is still what key 5 plays.
    EXPECT_EQ(SlotUsages(5), (std::vector<int>{0x04, 0x04, 0x05, 0x05}));
    EXPECT_NE(keyboard->KeyCodes()[5].value(), keyboard->KeyCodes()[9].value());
    // Both groups are kept, each under the slot its macro went to.
    const std::string both = FileText();
    EXPECT_EQ(Count(both, "<group "), 2) << both;
    EXPECT_EQ(Count(both, "id=\"" + std::to_string(keyboard->KeyCodes()[5].value()) + "\""), 1)
        << both;
    EXPECT_EQ(Count(both, "id=\"" + std::to_string(keyboard->KeyCodes()[9].value()) + "\""), 1)
        << both;

    key.index = 5;
    Open();
    Click("btnDelete");
    Close();
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0);
    EXPECT_EQ(SlotUsages(9), (std::vector<int>{0x06, 0x06}));
}

TEST_F(MacroEndToEnd, SingleKeyAndCombinationPages) {
    shared->combKeys.current() = MacroCombKey{L"Copy", {{0xE0, 0}, {0x06, 0}}};
    key.index = 3;
    Open();
    SelectPage(1);
    Tap(KEY_B);
    Click("btnOK");
    Close();
    EXPECT_EQ(keyboard->KeyCodes()[3].code(), 0x2005);

    Open();
    SelectPage(3);
    Find<SOUI::SComboBox>("cmb_function_keys")->SetCurSel(0, true);
    Click("btnOK");
    Close();
    EXPECT_EQ(SlotUsages(3), (std::vector<int>{0xE0, 0x06, 0x06, 0xE0}));
}

// Key code and state of every step, state 0 going down and 1 going up.
std::vector<std::pair<int, int>> CodesAndStates(const MacroRecordGroup& group) {
    std::vector<std::pair<int, int>> steps;
    for (const MacroRecordGpItem& item : group.items.current())
        steps.emplace_back(item.code, item.state);
    return steps;
}

TEST_F(MacroEndToEnd, ACombinationReadBackPressesItsKeysBeforeReleasingThem) {
    shared->combKeys.current() = MacroCombKey{L"Paste", {{0xE0, 0}, {0x19, 0}}};
    key.index = 4;
    Open();
    SelectPage(3);
    Find<SOUI::SComboBox>("cmb_function_keys")->SetCurSel(0, true);
    Click("btnOK");
    Close();
    const int ctrl = FindKeyByUsage(0xE0).code();
    const int v = FindKeyByUsage(0x19).code();
    const std::vector<std::pair<int, int>> pressThenRelease{{ctrl, 0}, {v, 0}, {v, 1}, {ctrl, 1}};

    const macro_code_t code = keyboard->KeyCodes()[4];
    ASSERT_TRUE(code.playsMacro());
    EXPECT_EQ(CodesAndStates(DecodeMacroBlock(keyboard->Macro(code.value()), code.value())),
              pressThenRelease);
    // What the macro page lists for it.
    const std::list<MacroRecordGroup> groups = shared->GroupsNow();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups.front().info.current().name, L"Paste");
    EXPECT_EQ(CodesAndStates(groups.front()), pressThenRelease);
}

}  // namespace
}  // namespace macrotest

// The key-assignment requests of the macro editor, byte by byte.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "records/KeyTable.h"
#include "records/MacroRequest.h"

namespace {

MacroRecordGroup MakeGroup(int id, const std::wstring& name, int steps = 0) {
    MacroRecordGroup group;
    group.info.current() = MacroRecordGpInfo{id, 1, name};
    for (int i = 0; i < steps; ++i)
        group.items.data()[0].push_back(MacroRecordGpItem{0x1E, i % 2, 10 * i, L"A"});
    return group;
}

const std::uint8_t* Bytes(const macrokey_pack_t& r) {
    return reinterpret_cast<const std::uint8_t*>(&r);
}

std::vector<std::uint8_t> StepBytes(const macrokey_pack_t& r, int n) {
    const std::uint8_t* steps = Bytes(r) + 6 + 40;
    return {steps, steps + 3 * n};
}

MacroRecordGroup GroupWith(std::initializer_list<MacroRecordGpItem> items) {
    MacroRecordGroup group = MakeGroup(2, L"Group 2");
    for (const auto& item : items) group.items.data()[0].push_back(item);
    return group;
}

TEST(MacroRequest, CombinationPressesInOrderAndReleasesInReverse) {
    MacroCombKey copy{L"Copy", {{0xE0, 0}, {0x06, 0}}};
    macrokey_pack_t r;
    macroreq::FillCombination(r, copy, 9);
    EXPECT_EQ(Bytes(r)[0], 3);
    EXPECT_EQ(Bytes(r)[1], 0);
    EXPECT_EQ(Bytes(r)[2], 9);
    EXPECT_EQ(r.code(), 0);
    EXPECT_EQ(r.macro.repeat, 1);
    EXPECT_EQ(r.macro.count, 4);
    // Key down is state 0 (bit 7 clear), key up state 1, as in recorded macros.
    EXPECT_EQ(StepBytes(r, 4), (std::vector<std::uint8_t>{0xE0, 0x64, 0x00, 0x06, 0x64, 0x00, 0x06,
                                                          0x64, 0x80, 0xE0, 0x64, 0x80}));
    EXPECT_EQ(r.macro.name.text(), "Copy");
}

TEST(MacroRequest, PlayModesAllReachTheKeyboardAsMacros) {
    // Usage of scan code 0x1E ("A") is 4; state 1 sets bit 7; delay 300 = 0x012C.
    const MacroRecordGroup group = GroupWith({{0x1E, 0, 300, L"A"}, {0x1E, 1, 0, L"A"}});
    struct Case {
        int playMode;
        int type;
        int repeat;
    };
    for (const Case c : {Case{0, 3, 1}, Case{1, 3, 5}, Case{2, 4, 0}, Case{3, 5, 0}}) {
        macrokey_pack_t r;
        macroreq::FillMacro(r, group, 5, c.playMode, 12);
        EXPECT_EQ(r.type(), c.type) << c.playMode;
        EXPECT_EQ(r.macro.repeat, c.repeat) << c.playMode;
        EXPECT_EQ(r.key(), 12);
        EXPECT_EQ(r.code(), 0);
        EXPECT_EQ(r.macro.count, 2);
        EXPECT_EQ(StepBytes(r, 2), (std::vector<std::uint8_t>{0x04, 0x2C, 0x01, 0x04, 0x00, 0x80}));
        EXPECT_EQ(r.macro.name.text(), "Group 2");
    }
}

TEST(MacroRequest, StepStatesDelaysAndUnknownKeys) {
    const MacroRecordGroup group =
        GroupWith({{0x1E, 2, 40000, L""}, {0x1E, 3, -5, L""}, {0x7A, 0, 1, L""}});
    macrokey_pack_t r;
    macroreq::FillMacro(r, group, 1, 0, 0);
    // State 2 clears bit 7, state 3 sets it; long delays stop at 32767, negative ones at 0;
    // a key the table lacks is sent as usage 0.
    EXPECT_EQ(StepBytes(r, 3),
              (std::vector<std::uint8_t>{0x04, 0xFF, 0x7F, 0x04, 0x00, 0x80, 0x00, 0x01, 0x00}));
}

TEST(MacroRequest, MoreThan109StepsSendTheFirst109) {
    MacroRecordGroup group = MakeGroup(0, L"long");
    for (int i = 0; i < 150; ++i)
        group.items.data()[0].push_back({i < 109 ? 0x1E : 0x30, 0, i, L""});
    macrokey_pack_t r;
    macroreq::FillMacro(r, group, 1, 0, 0);
    // The count never claims steps the block does not hold.
    EXPECT_EQ(r.macro.count, 109);
    EXPECT_EQ(r.macro.steps[108].key, 0x04);
    EXPECT_EQ(r.macro.steps[108].delay(), 108);
    EXPECT_EQ(r.padding, 0);
}

TEST(MacroRequest, NamesKeepAtMost37Bytes) {
    macro_block_t block;
    std::memset(block.name.bytes, 'x', sizeof block.name.bytes);
    macroreq::SetMacroName(block, std::wstring(40, L'n'));
    EXPECT_EQ(std::string(block.name.bytes, 37), std::string(37, 'n'));
    EXPECT_EQ(block.name.bytes[37], 0);
    macroreq::SetMacroName(block, L"ab");
    EXPECT_EQ(block.name.text(), "ab");
    for (int i = 2; i < 38; ++i) EXPECT_EQ(block.name.bytes[i], 0) << i;
}

TEST(MacroRequest, NamesAreNotCutInsideACharacter) {
    const std::string old = std::setlocale(LC_CTYPE, nullptr);
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) GTEST_SKIP() << "no UTF-8 locale";
    macro_block_t block;
    // 36 ASCII bytes and a two-byte character: the character does not fit whole.
    macroreq::SetMacroName(block, std::wstring(36, L'a') + L"\u00e9z");
    const std::string cut(block.name.bytes, 38);
    // Three-byte characters: twelve fit in 36 bytes, the thirteenth does not.
    macroreq::SetMacroName(block, std::wstring(13, L'\u4e2d'));
    const std::string cjk(block.name.bytes, 38);
    std::setlocale(LC_CTYPE, old.c_str());
    EXPECT_EQ(cut, std::string(36, 'a') + std::string(2, '\0'));
    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += "\xe4\xb8\xad";
    EXPECT_EQ(cjk, twelve + std::string(2, '\0'));
}

TEST(MacroRequest, DirectAssignmentsKeepTheMacroBlock) {
    macrokey_pack_t r;
    r.macro.repeat = 7;
    r.macro.count = 1;
    r.macro.name.set("kept");
    macroreq::FillSingleKey(r, 0x11E, 3);  // no such extended key: usage 0
    EXPECT_EQ(r.type(), 2);
    EXPECT_EQ(r.code(), 0);
    macroreq::FillSingleKey(r, FindKeyByVirtualKey(0x41, 0).code(), 3);
    EXPECT_EQ(r.code(), 0x04);
    macroreq::FillFunctionKey(r, MacroFuncKey{L"Mute", 0x1200E2, L"", L""}, 4);
    EXPECT_EQ(r.type(), 2);
    EXPECT_EQ(r.key(), 4);
    EXPECT_EQ(r.code(), 0x00E2);
    macroreq::FillDelete(r, 5);
    EXPECT_EQ(r.type(), 0);
    EXPECT_EQ(r.key(), 5);
    EXPECT_EQ(r.code(), 0);
    EXPECT_EQ(r.macro.repeat, 7);
    EXPECT_EQ(r.macro.name.text(), "kept");
}

}  // namespace

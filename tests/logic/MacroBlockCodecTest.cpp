#include <gtest/gtest.h>

#include "logic/MacroBlockCodec.h"
#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace {

MacroRecordGroup Group(const std::wstring& name, int repeat) {
    MacroRecordGroup group;
    group.info.current() = MacroRecordGpInfo{4, repeat, name};
    return group;
}

void AddStep(MacroRecordGroup& group, int code, int state, int delay) {
    group.items.current().push_back(MacroRecordGpItem{code, state, delay, L""});
}

TEST(MacroBlockCodec, EncodesUsagesDelaysAndStates) {
    MacroRecordGroup group = Group(L"Copy", 257);
    AddStep(group, 0x1D, 0, 30);     // ControlLeft
    AddStep(group, 0x2E, 1, 40000);  // C, delay past the 15 bits
    AddStep(group, 0x7777, 0, 5);    // not a key
    macro_block_t block = EncodeMacroGroup(group);
    EXPECT_EQ(block.name.text(), "Copy");
    EXPECT_EQ(block.repeat, 1);  // low 8 bits
    ASSERT_EQ(block.count, 3);
    EXPECT_EQ(block.steps[0].key, FindKeyByCode(0x1D).usage);
    EXPECT_EQ(block.steps[0].delay(), 30);
    EXPECT_EQ(block.steps[0].state(), 0);
    EXPECT_EQ(block.steps[1].key, FindKeyByCode(0x2E).usage);
    EXPECT_EQ(block.steps[1].delay(), 32767);
    EXPECT_EQ(block.steps[1].state(), 1);
    EXPECT_EQ(block.steps[2].key, 0);
}

TEST(MacroBlockCodec, LongGroupsKeep109StepsButCountAll) {
    MacroRecordGroup group = Group(L"long", 1);
    for (int i = 0; i < 120; ++i) AddStep(group, 0x1E, i % 2, i);
    macro_block_t block = EncodeMacroGroup(group);
    EXPECT_EQ(block.count, 120);
    EXPECT_EQ(block.stepCount(), 109u);
    EXPECT_EQ(block.steps[108].delay(), 108);
    MacroRecordGroup back = DecodeMacroBlock(block, 2);
    EXPECT_EQ(back.items.current().size(), 109u);
}

TEST(MacroBlockCodec, NamesAreCutWithoutSplittingACharacter) {
    std::wstring name(12, L'\u65E5');  // 3 bytes each: 36 bytes fit, the 13th would not
    name += L"\u65E5xyz";
    macro_block_t block = EncodeMacroGroup(Group(name, 1));
    EXPECT_EQ(block.name.text().size(), 36u);
    EXPECT_EQ(FromSystemText(block.name.text()), std::wstring(12, L'\u65E5'));
}

TEST(MacroBlockCodec, DecodesThroughTheKeyTable) {
    macro_block_t block;
    block.name.set(
        "Gr\xC3\xBC\xC3\x9F"
        "e");
    block.repeat = 7;
    block.append(macro_step_t::make(0xE1, 300, 1));
    block.append(macro_step_t::make(0xA5, 0, 0));
    block.append(macro_step_t::make(0xFE, 12, 0));  // no key sends this usage
    MacroRecordGroup group = DecodeMacroBlock(block, 11);
    const MacroRecordGpInfo& info = group.info.current();
    EXPECT_EQ(info.id, 11);
    EXPECT_EQ(info.repeat, 7);
    EXPECT_EQ(info.name, L"Gr\u00FC\u00DFe");
    const auto& items = group.items.current();
    ASSERT_EQ(items.size(), 3u);
    auto item = items.begin();
    EXPECT_EQ(*item, (MacroRecordGpItem{0x2A, 1, 300, L"ShiftLeft"}));
    ++item;
    EXPECT_EQ(item->code, 0x1FE);
    EXPECT_EQ(item->name, std::wstring(FindKeyByUsage(0xA5).name));
    ++item;
    EXPECT_EQ(*item, (MacroRecordGpItem{0, 0, 12, L""}));
}

TEST(MacroBlockCodec, DecodedGroupsEncodeToTheSameBlock) {
    macro_block_t block;
    block.name.set("round trip");
    block.repeat = 3;
    for (uint8_t usage : {0x04, 0x05, 0x2C, 0xE0, 0x4F}) {
        block.append(macro_step_t::make(usage, usage * 7u, usage & 1u));
    }
    EXPECT_EQ(EncodeMacroGroup(DecodeMacroBlock(block, 0)), block);
}

TEST(SystemText, RoundTripsAndReplacesMalformedBytes) {
    const std::wstring text = L"Gr\u00FC\u00DFe \u65E5\u672C \U0001F600";
    EXPECT_EQ(FromSystemText(ToSystemText(text)), text);
    EXPECT_EQ(ToSystemText(L"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(FromSystemText("a\xFF"
                             "b\xC3"),
              L"a\uFFFDb\uFFFD");
    EXPECT_EQ(FromSystemText("\xC0\x80"), L"\uFFFD");  // an overlong NUL is one bad character
}

}  // namespace

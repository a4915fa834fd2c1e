#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "records/CoordButtonInfo.h"
#include "records/MacroKeyLists.h"
#include "records/MacroRecordParam.h"
#include "records/MacroRecordSteps.h"
#include "records/UsbInfo.h"
#include "store/Shape.h"

namespace {

TEST(AppRecords, PlainRecordsCompareEveryField) {
    EXPECT_NE((UsbInfo{0x1A2C, 0x1514, 3, 0}), (UsbInfo{0x1A2C, 0x1511, 3, 0}));
    EXPECT_EQ((UsbInfo{0x1A2C, 0x1514, 3, 0}), (UsbInfo{0x1A2C, 0x1514, 3, 0}));

    const MacroFuncKey mail{L"Mail", 0xB4, L"mail", L"-new"};
    MacroFuncKey other = mail;
    EXPECT_EQ(mail, other);
    other.argm = L"-old";
    EXPECT_NE(mail, other);
    other = mail;
    other.path = L"Mail";
    EXPECT_NE(mail, other);

    MacroRecordParam param;
    param.playmode = 2;
    EXPECT_NE(param, MacroRecordParam{});
    EXPECT_NE((MacroRecordGpItem{4, 0, 10, L"A"}), (MacroRecordGpItem{4, 1, 10, L"A"}));
}

TEST(AppRecords, CombinationKeysCompareInOrder) {
    const MacroCombKey copy{L"Copy", {{0x1D, 0}, {0x2E, 0}}};
    EXPECT_EQ(copy, (MacroCombKey{L"Copy", {{0x1D, 0}, {0x2E, 0}}}));
    EXPECT_NE(copy, (MacroCombKey{L"Copy", {{0x2E, 0}, {0x1D, 0}}}));
    EXPECT_NE(copy, (MacroCombKey{L"Copy", {{0x1D, 0}, {0x2E, 1}}}));
    EXPECT_NE(copy, (MacroCombKey{L"Copy", {{0x1D, 0}}}));
}

TEST(AppRecords, GroupHeadingDefaultsToNotFoundOnTheKeyboard) {
    const MacroRecordGpInfo info;
    EXPECT_EQ(info.id, -1);
    EXPECT_EQ(info.repeat, 1);
    EXPECT_TRUE(info.name.empty());
}

TEST(AppRecords, ZeroFillingShapesStartHeadingsAtGroupZero) {
    ShapeType<MacroRecordGpInfo, -1, 1, 1> working;
    EXPECT_EQ(working.current(), (MacroRecordGpInfo{0, 0, {}}));

    const MacroRecordGpInfo filled{4, 2, L"x"};
    working.setCurrent(&filled);
    working.store(nullptr, 1, false);  // same count: cleared again, not left as it was
    EXPECT_EQ(working.current(), (MacroRecordGpInfo{0, 0, {}}));

    working.append(nullptr, 2);
    EXPECT_EQ(working.data()[2], (MacroRecordGpInfo{0, 0, {}}));
}

CoordButtonInfo sampleKey() {
    CoordButtonInfo key;
    key.id = 12;
    key.value = 0x1E;
    key.order = 4;
    key.index = 9;
    key.name = L"1";
    key.rect = {10, 20, 40, 50};
    key.bground = 0x00FF00;
    key.fground = 0xFFFFFF;
    key.tip = L"one";
    return key;
}

TEST(AppRecords, KeyPositionInThePictureIsNotCompared) {
    auto moved = sampleKey();
    moved.order = 40;
    moved.index = 2;
    EXPECT_EQ(sampleKey(), moved);
}

TEST(AppRecords, EveryOtherKeyFieldIsCompared) {
    const std::vector<std::function<void(CoordButtonInfo&)>> changes{
        [](auto& k) { k.id = 13; },          [](auto& k) { k.value = 0x1F; },
        [](auto& k) { k.name = L"2"; },      [](auto& k) { k.rect.left = 11; },
        [](auto& k) { k.rect.top = 21; },    [](auto& k) { k.rect.right = 41; },
        [](auto& k) { k.rect.bottom = 51; }, [](auto& k) { k.bground = 1; },
        [](auto& k) { k.fground = 1; },      [](auto& k) { k.tip = L"two"; },
        [](auto& k) { k.checked = 1; },      [](auto& k) { k.hover = 1; },
        [](auto& k) { k.selected = 1; },     [](auto& k) { k.disabled = 1; },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        auto key = sampleKey();
        changes[i](key);
        EXPECT_NE(sampleKey(), key) << "change " << i;
    }
}

}  // namespace

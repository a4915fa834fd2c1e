#include <gtest/gtest.h>

#include "records/AppRecords.h"

namespace {

MacroRecordGroup makeGroup(int id, const wchar_t* name, std::initializer_list<int> codes) {
    MacroRecordGroup group;
    const MacroRecordGpInfo info{id, 2, name};
    group.info.setCurrent(&info);
    for (int code : codes) group.items.current().push_back({code, 0, 10, L"key"});
    return group;
}

// Counts the hook calls of one shape.
struct HookCounter {
    int calls = 0;
    void onItems(int, const std::list<MacroRecordGpItem>*, uint32_t, uint32_t, uint32_t, uint32_t,
                 int) {
        ++calls;
    }
};

TEST(MacroRecordGroup, StartsWithZeroHeadingAndOneEmptyList) {
    const MacroRecordGroup group;
    ASSERT_EQ(group.info.count, 1u);
    EXPECT_EQ(group.info.current().id, 0);
    EXPECT_EQ(group.info.current().repeat, 0);
    EXPECT_TRUE(group.info.current().name.empty());
    ASSERT_EQ(group.items.count, 1u);
    EXPECT_TRUE(group.items.current().empty());
    EXPECT_EQ(group, MacroRecordGroup{});
}

TEST(MacroRecordGroup, EqualityLooksAtHeadingAndSteps) {
    const auto group = makeGroup(3, L"Fire", {4, 5});
    EXPECT_EQ(group, makeGroup(3, L"Fire", {4, 5}));
    EXPECT_NE(group, makeGroup(4, L"Fire", {4, 5}));
    EXPECT_NE(group, makeGroup(3, L"Ice", {4, 5}));
    EXPECT_NE(group, makeGroup(3, L"Fire", {5, 4}));
    EXPECT_NE(group, makeGroup(3, L"Fire", {4}));

    auto twoHeadings = makeGroup(3, L"Fire", {4, 5});
    twoHeadings.info.push_back(group.info.current());
    EXPECT_NE(group, twoHeadings);
}

TEST(MacroRecordGroup, CopyTakesValuesButNotTheHook) {
    auto source = makeGroup(1, L"Run", {4});
    HookCounter counter;
    source.items.bind(&counter, &HookCounter::onItems);
    source.items.push_back({7, 1, 20, L"D"});
    ASSERT_EQ(counter.calls, 1);  // private list: own hook runs at once

    MacroRecordGroup copy = source;
    EXPECT_EQ(copy, source);
    copy.items.push_back({8, 0, 30, L"E"});
    copy.items.erase(0);
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(source.items.current().size(), 2u);
    EXPECT_EQ(source.items.item(0).code, 4);
    EXPECT_NE(copy, source);

    MacroRecordGroup assigned;
    assigned = source;
    EXPECT_EQ(assigned, source);
    assigned.items.push_back({9, 0, 0, L"F"});
    EXPECT_EQ(counter.calls, 1);
}

TEST(MacroRecordGroup, GroupsInAListKeepTheirValuesWhenMoved) {
    ShapeList<MacroRecordGroup, -1> groups;
    ASSERT_TRUE(groups.push_back(makeGroup(1, L"A", {4})));
    ASSERT_TRUE(groups.push_back(makeGroup(2, L"B", {5, 6})));
    ASSERT_TRUE(groups.moveUp(1));
    EXPECT_EQ(groups.item(0), makeGroup(2, L"B", {5, 6}));
    EXPECT_EQ(groups.item(1), makeGroup(1, L"A", {4}));

    auto edited = groups;
    edited.item(0).items.erase(0);
    EXPECT_NE(edited, groups);
    EXPECT_EQ(groups.item(0).items.current().size(), 2u);
}

}  // namespace

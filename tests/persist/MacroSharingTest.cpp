#include "persist/MacroSharing.h"

#include <gtest/gtest.h>

namespace {

using persist::MacroGroupContent;

MacroGroupContent Group(int id, std::wstring name, std::list<MacroRecordGpItem> items = {}) {
    return {MacroRecordGpInfo{id, 1, std::move(name)}, std::move(items)};
}

const std::list<MacroRecordGpItem> kTyped{{65, 0, 20, L"A"}, {65, 1, 32767, L"A"}};

TEST(MacroSharing, WrittenGroupsReadBackAsTheyWere) {
    const std::vector<MacroGroupContent> groups{Group(3, L"Hello", kTyped),
                                                Group(7, L"Grüße 中文", {})};
    const persist::SharedGroupsRead read =
        persist::ReadSharedGroups(persist::WriteSharedGroups(groups));
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.groups.size(), 2u);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(read.groups[i].info, groups[i].info);
        EXPECT_EQ(read.groups[i].items, groups[i].items);
    }
}

std::string Times(int n, const std::string& text) {
    std::string all;
    for (int i = 0; i < n; ++i) all += text;
    return all;
}

TEST(MacroSharing, BadFilesAreRefusedWithWhatIsWrong) {
    struct Case {
        std::string text;
        const char* error;
    };
    const Case cases[] = {
        {"", "not a macro file"},
        {"<record><group name=\"a\" repeat=\"1\">", "not a macro file"},
        {"<config><funkey/></config>", "root element is <config>"},
        {"<record page=\"0\"/>", "holds no macro groups"},
        {"<record><key name=\"x\"/></record>", "group 1: <key> is not a macro group"},
        {"<record><group repeat=\"1\"/></record>", "group 1: the group has no name"},
        {"<record><group name=\"a\" repeat=\"256\"/></record>", "repeat \"256\""},
        {"<record><group name=\"a\" repeat=\"x\"/></record>", "repeat \"x\""},
        {"<record><group name=\"0123456789012345678901234567890123456789\" repeat=\"1\"/>"
         "</record>",
         "longer than 37"},
        {"<record><group name=\"a\" repeat=\"1\"/><group name=\"b\" repeat=\"1\">"
         "<item code=\"65\" state=\"2\" delay=\"0\"/></group></record>",
         "group 2, step 1: state \"2\""},
        {"<record><group name=\"a\" repeat=\"1\"><item code=\"65\" state=\"0\" delay=\"0\"/>"
         "<item code=\"0\" state=\"0\" delay=\"0\"/></group></record>",
         "group 1, step 2: code \"0\""},
        {"<record><group name=\"a\" repeat=\"1\"><item code=\"-65\" state=\"0\" delay=\"0\"/>"
         "</group></record>",
         "code \"-65\""},
        {"<record><group name=\"a\" repeat=\"1\"><item code=\"512\" state=\"0\" delay=\"0\"/>"
         "</group></record>",
         "code \"512\""},
        {"<record><group name=\"a\" repeat=\"1\"><item code=\"65\" state=\"0\" delay=\"32768\"/>"
         "</group></record>",
         "delay \"32768\""},
        {"<record><group name=\"a\" repeat=\"1\"><step code=\"65\" state=\"0\" delay=\"1\"/>"
         "</group></record>",
         "<step> is not a step"},
        {"<record><group name=\"a\" repeat=\"1\">" +
             Times(110, "<item code=\"65\" state=\"0\" delay=\"0\"/>") + "</group></record>",
         "group 1: 110 steps, more than a macro holds (109)"},
        {"<record>" + Times(11, "<group name=\"a\" repeat=\"1\"/>") + "</record>",
         "more groups than the list holds (10)"},
    };
    for (const Case& c : cases) {
        const persist::SharedGroupsRead read = persist::ReadSharedGroups(c.text);
        EXPECT_FALSE(read.ok()) << c.text;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << c.text << " -> " << read.error;
        EXPECT_TRUE(read.groups.empty()) << c.text;
    }
}

// What the editor holds beyond the limits is written within them, so every written file reads.
TEST(MacroSharing, GroupsBeyondTheLimitsAreWrittenWithinThem) {
    MacroGroupContent wide{{0, 300, std::wstring(40, L'x')}, {}};
    wide.items.assign(110, MacroRecordGpItem{65, 7, 40000, L"A"});
    wide.items.front() = {65, -3, -5, L"A"};
    const auto read = persist::ReadSharedGroups(persist::WriteSharedGroups({wide}));
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.groups.size(), 1u);
    const MacroGroupContent& group = read.groups[0];
    EXPECT_EQ(group.info, (MacroRecordGpInfo{0, 255, std::wstring(37, L'x')}));
    ASSERT_EQ(group.items.size(), 109u);
    EXPECT_EQ(group.items.front(), (MacroRecordGpItem{65, 0, 0, L"A"}));
    EXPECT_EQ(group.items.back(), (MacroRecordGpItem{65, 1, 32767, L"A"}));
}

TEST(MacroSharing, ImportedGroupsAreRenamedAndRenumberedNeverReplacing) {
    const std::vector<MacroGroupContent> existing{Group(0, L"Copy"), Group(2, L"Copy (2)"),
                                                  Group(1, L"Paste")};
    const std::wstring longName(persist::kMaxGroupNameLength, L'x');
    const std::vector<MacroGroupContent> added =
        persist::GroupsToAdd(existing, {Group(0, L"Copy", kTyped), Group(5, L"New"),
                                        Group(1, L"New"), Group(9, longName), Group(9, longName)});
    ASSERT_EQ(added.size(), 5u);
    EXPECT_EQ(added[0].info.name, L"Copy (3)");
    EXPECT_EQ(added[0].items, kTyped);
    EXPECT_EQ(added[1].info.name, L"New");
    EXPECT_EQ(added[2].info.name, L"New (2)");
    EXPECT_EQ(added[3].info.name, longName);
    EXPECT_EQ(added[4].info.name, std::wstring(persist::kMaxGroupNameLength - 4, L'x') + L" (2)");
    // Ids no existing or earlier group holds, lowest first.
    EXPECT_EQ(added[0].info.id, 3);
    EXPECT_EQ(added[1].info.id, 4);
    EXPECT_EQ(added[2].info.id, 5);
    EXPECT_EQ(added[3].info.id, 6);
    EXPECT_EQ(added[4].info.id, 7);
}

}  // namespace

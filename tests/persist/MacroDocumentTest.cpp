#include "persist/MacroDocument.h"

#include <gtest/gtest.h>

#include "persist/XmlText.h"

namespace {

using persist::MacroContent;
using persist::MacroDocumentWriter;
using persist::ReadMacroDocument;
using Steps = std::list<MacroRecordGpItem>;

MacroContent Read(const std::string& text) {
    pugi::xml_document document;
    EXPECT_TRUE(persist_test::Parse(document, text)) << text;
    return ReadMacroDocument(document);
}

TEST(MacroDocumentRead, RecordWithoutAttributesOrChildrenHasTheDefaults) {
    const MacroContent content = Read("<record/>");
    EXPECT_EQ(content.settings, MacroRecordParam{});
    EXPECT_EQ(content.settings.period, 50);
    EXPECT_TRUE(content.groups.empty());
}

TEST(MacroDocumentRead, MissingRecordGivesNothing) {
    const MacroContent content = Read("<other page=\"3\"><group id=\"1\"/></other>");
    EXPECT_EQ(content.settings, MacroRecordParam{});
    EXPECT_TRUE(content.groups.empty());
}

TEST(MacroDocumentRead, SettingsGoToTheirNamedFields) {
    const MacroContent content = Read(
        "<RECORD Page=\"1\" gpsel=\"2\" singlekey=\"3\" funcsel=\"4\" cmbtype=\"5\" cmbsel=\"6\" "
        "dlmode=\"7\" playmode=\"8\" PERIOD=\"-9\"/>");
    EXPECT_EQ(content.settings, (MacroRecordParam{1, 2, 3, 4, 5, 6, 7, -9, 8}));
}

TEST(MacroDocumentRead, GroupWithoutIdAndRepeatReadsZero) {
    const MacroContent content = Read("<record><group name=\"G\"/></record>");
    ASSERT_EQ(content.groups.size(), 1u);
    EXPECT_EQ(content.groups[0].info, (MacroRecordGpInfo{0, 0, L"G"}));
}

TEST(MacroDocumentRead, ChildrenOfAnyNameAreGroupsAndSteps) {
    const MacroContent content = Read(
        "<record><macro id=\"4\" repeat=\"2\"><step code=\"30\" state=\"1\" delay=\"15\" "
        "name=\"A\"/>text<item/></macro><!-- c --><group id=\"5\"/></record>");
    ASSERT_EQ(content.groups.size(), 2u);
    EXPECT_EQ(content.groups[0].info, (MacroRecordGpInfo{4, 2, L""}));
    EXPECT_EQ(content.groups[0].items, (Steps{{30, 1, 15, L"A"}, {0, 0, 0, L""}}));
    EXPECT_EQ(content.groups[1].info.id, 5);
}

TEST(MacroDocumentRead, ChoicesForNoKeyOrPageAreLeftOutAndTheLastForAKeyCounts) {
    const MacroContent content = Read(
        "<record><choice key=\"-1\" page=\"2\"/><choice key=\"3\" page=\"0\"/>"
        "<choice key=\"4\" page=\"1\" entry=\"7\"/><choice key=\"4\" page=\"2\" "
        "entry=\"1\"/></record>");
    EXPECT_TRUE(content.groups.empty());
    EXPECT_EQ(content.choices, (std::vector<MacroEntryChoice>{{4, 2, 1}}));
}

TEST(MacroDocumentRead, StepNumbersBeyondSignedRangeSaturate) {
    const MacroContent content = Read(
        "<record><group><item code=\"4294967295\" state=\"4294967295\" "
        "delay=\"-4294967295\"/></group></record>");
    ASSERT_EQ(content.groups.size(), 1u);
    EXPECT_EQ(content.groups[0].items, (Steps{{2147483647, 2147483647, -2147483647 - 1, L""}}));
}

TEST(MacroDocumentRead, OnlyTheFirstRecordCounts) {
    const MacroContent content = Read("<record page=\"1\"/><record page=\"2\"><g/></record>");
    EXPECT_EQ(content.settings.page, 1);
    EXPECT_TRUE(content.groups.empty());
}

TEST(MacroDocumentWrite, WritesTheExactTree) {
    MacroDocumentWriter writer(MacroRecordParam{1, 2, 3, 4, 5, 6, 7, 8, 9});
    writer.AddGroup({0, -1, L"A&<\"b"}, {{30, 0, 10, L"Q"}, {-1, 1, 0, L""}});
    writer.AddGroup({9, 1, L""}, {});
    EXPECT_EQ(writer.Text(),
              "<?xml version=\"1.0\"?>\n"
              "<record page=\"1\" gpsel=\"2\" singlekey=\"3\" funcsel=\"4\" cmbtype=\"5\" "
              "cmbsel=\"6\" dlmode=\"7\" playmode=\"9\" period=\"8\">\n"
              "\t<group id=\"0\" repeat=\"-1\" name=\"A&amp;&lt;&quot;b\">\n"
              "\t\t<item name=\"Q\" code=\"30\" delay=\"10\" state=\"0\" />\n"
              "\t\t<item name=\"\" code=\"4294967295\" delay=\"0\" state=\"1\" />\n"
              "\t</group>\n"
              "\t<group id=\"9\" repeat=\"1\" name=\"\" />\n"
              "</record>\n");
}

TEST(MacroDocumentWrite, NonAsciiNamesAreUtf8WithoutByteOrderMark) {
    MacroDocumentWriter writer(MacroRecordParam{});
    writer.AddGroup({1, 1, L"\u5b8f\U0001F600"}, {});
    const std::string text = writer.Text();
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("name=\"\xE5\xAE\x8F\xF0\x9F\x98\x80\""), std::string::npos);
}

TEST(MacroDocumentRoundTrip, EveryValueSurvivesWritingAndReading) {
    const MacroRecordParam settings{-2147483647 - 1, 2147483647, 0x1E, -1, 2, 3, 1, 250, 1};
    const MacroRecordGpInfo info{-1, 2147483647, L"tab\there\nline \"quoted\" & <x> \u00e9"};
    const Steps steps{{0x11D, 0, 2147483647, L"Right Ctrl"},
                      {0, 1, 0, L"  spaced  "},
                      {2147483647, 3, 17, L"\u4e2d\U0001F600"}};
    MacroDocumentWriter writer(settings);
    writer.AddGroup(info, steps);
    writer.AddGroup({}, {});
    const std::vector<MacroEntryChoice> choices{{12, 2, 5}, {40, 1, 0x1E}};
    for (const MacroEntryChoice& choice : choices) writer.AddChoice(choice);

    const MacroContent content = Read(writer.Text());
    EXPECT_EQ(content.settings, settings);
    EXPECT_EQ(content.choices, choices);
    ASSERT_EQ(content.groups.size(), 2u);
    EXPECT_EQ(content.groups[0].info, info);
    EXPECT_EQ(content.groups[0].items, steps);
    EXPECT_EQ(content.groups[1].info, MacroRecordGpInfo{});
    EXPECT_TRUE(content.groups[1].items.empty());
}

TEST(MacroDocumentRoundTrip, NegativeStepValuesComeBackSaturated) {
    MacroDocumentWriter writer(MacroRecordParam{});
    writer.AddGroup({}, {{-1, -2, -3, L""}});
    const MacroContent content = Read(writer.Text());
    ASSERT_EQ(content.groups.size(), 1u);
    EXPECT_EQ(content.groups[0].items, (Steps{{2147483647, 2147483647, 2147483647, L""}}));
}

}  // namespace

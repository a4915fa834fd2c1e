#include "persist/ConfigDocument.h"

#include <gtest/gtest.h>

#include "persist/XmlText.h"

namespace {

using persist::ConfigContent;
using persist::ReadConfigDocument;
using Pairs = std::vector<std::pair<int32_t, int32_t>>;

ConfigContent Read(const std::string& text) {
    pugi::xml_document document;
    EXPECT_TRUE(persist_test::Parse(document, text)) << text;
    return ReadConfigDocument(document);
}

TEST(ConfigDocument, NamesMatchInAnyCase) {
    const ConfigContent content = Read(
        "<LOCAL Language=\"en\"/><USB VID=\"1a2c\" PID=\"0x1514\"/>"
        "<FunKey><K NAME=\"A\" CODE=\"7\"/></FunKey><COMBKEY><K Code=\"5\"/></COMBKEY>");
    EXPECT_EQ(content.language, L"en");
    EXPECT_EQ(content.usb.vid, 0x1A2C);
    EXPECT_EQ(content.usb.pid, 0x1514);
    ASSERT_EQ(content.funcKeys.size(), 1u);
    EXPECT_EQ(content.funcKeys[0].code, 7u);
    ASSERT_EQ(content.combKeys.size(), 1u);
    EXPECT_EQ(content.combKeys[0].keys, (Pairs{{5, 0}}));
}

TEST(ConfigDocument, MissingPartsGiveEmptyValues) {
    const ConfigContent content = Read("<other/>");
    EXPECT_EQ(content.language, L"");
    EXPECT_EQ(content.usb, UsbInfo{});
    EXPECT_TRUE(content.funcKeys.empty());
    EXPECT_TRUE(content.combKeys.empty());
}

TEST(ConfigDocument, FirstOfTwoLocalElementsCounts) {
    EXPECT_EQ(Read("<local language=\"cn\"/><local language=\"en\"/>").language, L"cn");
    EXPECT_EQ(Read("<local/><local language=\"en\"/>").language, L"");
}

TEST(ConfigDocument, LanguageIsTakenAsWritten) {
    EXPECT_EQ(Read("<local language=\" CN&amp;\xC3\xA9 \"/>").language, L" CN&\u00e9 ");
}

TEST(ConfigDocument, FunctionKeyWithoutUsableNameIsSkipped) {
    const ConfigContent content = Read(
        "<funkey><a name=\"\" code=\"1\"/><b code=\"2\"/><c name=\"C\" code=\"3\"/>"
        "text<!-- note --><d NAME=\"D\"/></funkey>");
    ASSERT_EQ(content.funcKeys.size(), 2u);
    EXPECT_EQ(content.funcKeys[0].name, L"C");
    EXPECT_EQ(content.funcKeys[1].name, L"D");
}

TEST(ConfigDocument, FunctionKeyCodeIsUnsignedDecimal) {
    const ConfigContent content = Read(
        "<funkey><k name=\"a\" code=\"0x20\"/><k name=\"b\" code=\"-1\"/>"
        "<k name=\"c\" code=\"99999999999\"/><k name=\"d\" code=\" 12z\"/><k name=\"e\"/>"
        "</funkey>");
    ASSERT_EQ(content.funcKeys.size(), 5u);
    EXPECT_EQ(content.funcKeys[0].code, 0u);
    EXPECT_EQ(content.funcKeys[1].code, 4294967295u);
    EXPECT_EQ(content.funcKeys[2].code, 4294967295u);
    EXPECT_EQ(content.funcKeys[3].code, 12u);
    EXPECT_EQ(content.funcKeys[4].code, 0u);
}

TEST(ConfigDocument, CombinationChildIsNeverDropped) {
    const ConfigContent content =
        Read("<combkey><x/><y name=\"Y\" code=\"1:2:3, ,4\"/><z code=\"::\"/></combkey>");
    ASSERT_EQ(content.combKeys.size(), 3u);
    EXPECT_EQ(content.combKeys[0], MacroCombKey{});
    EXPECT_EQ(content.combKeys[1], (MacroCombKey{L"Y", Pairs{{1, 2}, {4, 0}}}));
    EXPECT_EQ(content.combKeys[2], (MacroCombKey{L"", Pairs{}}));
}

TEST(ConfigDocument, UsbNumbersFollowHexadecimalRules) {
    const ConfigContent content =
        Read("<usb vid=\"  0X1A2C\" pid=\"zz\" interface=\"-3\" subdevice=\"FFFFFFFFF\"/>");
    EXPECT_EQ(content.usb.vid, 0x1A2C);
    EXPECT_EQ(content.usb.pid, 0);
    EXPECT_EQ(content.usb.interface, -3);
    EXPECT_EQ(content.usb.subdevice, 2147483647);
}

TEST(ConfigDocument, TabsAndLineBreaksInAttributesBecomeSpaces) {
    const ConfigContent content = Read("<combkey><k name=\"a\tb\" code=\"1\n:\t2\"/></combkey>");
    ASSERT_EQ(content.combKeys.size(), 1u);
    EXPECT_EQ(content.combKeys[0].name, L"a b");
    EXPECT_EQ(content.combKeys[0].keys, (Pairs{{1, 2}}));
}

TEST(ConfigDocument, Utf16FileWithByteOrderMarkIsDetected) {
    const std::u16string text = u"\uFEFF<local language=\"\u4e2d\"/><usb vid=\"1a2c\"/>";
    pugi::xml_document document;
    ASSERT_TRUE(persist::LoadDocument(document, text.data(), text.size() * sizeof(char16_t)));
    const ConfigContent content = ReadConfigDocument(document);
    EXPECT_EQ(content.language, L"\u4e2d");
    EXPECT_EQ(content.usb.vid, 0x1A2C);
}

}  // namespace

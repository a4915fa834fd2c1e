#include "persist/AppConfig.h"

#include <gtest/gtest.h>

#include <atomic>

#include "files/TempFolder.h"

namespace {

using files_test::TempFolder;
using files_test::WriteText;
using Pairs = std::vector<std::pair<int32_t, int32_t>>;

const char* const kFullConfig =
    "<?xml version=\"1.0\"?>\n"
    "<local language=\"cn\"/>\n"
    "<usb vid=\"1a2c\" pid=\"0x1514\" interface=\"3\" subdevice=\"1\"/>\n"
    "<funkey><k name=\"Calculator\" code=\"402\" path=\"calc\" argm=\"-x\"/>"
    "<k name=\"\" code=\"9\"/><k name=\"Mail\" code=\"0x20\"/></funkey>\n"
    "<combkey><k name=\"Copy\" code=\"224:0, 6:0\"/><k/></combkey>\n";

class AppConfigTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder / "config.xml"; }

    TempFolder folder;
};

void ExpectConstructionValues(const AppConfig& config) {
    ASSERT_EQ(config.language().count, 1u);
    EXPECT_EQ(config.language().current(), L"");
    ASSERT_EQ(config.device().count, 1u);
    EXPECT_EQ(config.device().current(), UsbInfo{});
    // One blank row in each of the editor's lists.
    ASSERT_EQ(config.funcKeys().count, 1u);
    EXPECT_EQ(config.funcKeys().current(), MacroFuncKey{});
    ASSERT_EQ(config.combKeys().count, 1u);
    EXPECT_EQ(config.combKeys().current(), MacroCombKey{});
}

TEST_F(AppConfigTest, MissingFileKeepsConstructionValues) {
    AppConfig config;
    config.Load(File());
    ExpectConstructionValues(config);
}

TEST_F(AppConfigTest, MalformedOrEmptyFileKeepsConstructionValues) {
    for (const char* text : {"<local language=\"cn\"><usb", "", "just text", "<a></b>"}) {
        WriteText(File(), text);
        AppConfig config;
        config.Load(File());
        ExpectConstructionValues(config);
    }
}

TEST_F(AppConfigTest, AnUnreadableUserFileFallsBackToTheShippedOneAndSaysSo) {
    const auto user = folder / "user.xml";
    const auto shipped = folder / "shipped.xml";
    const auto missing = folder / "missing.xml";
    struct Case {
        const char* what;
        const char* userText;  // nullptr: no such file
        const char* shippedText;
        std::filesystem::path shippedPath;
        bool listsFilled;
        std::vector<std::string> said;  // parts of the note; none: no note
    };
    const Case cases[] = {
        {"user file read", kFullConfig, "<funkey/>", shipped, true, {}},
        {"user file damaged",
         "<local language=",
         kFullConfig,
         shipped,
         true,
         {user.string() + " cannot be read", "using " + shipped.string()}},
        {"user file missing",
         nullptr,
         kFullConfig,
         shipped,
         true,
         {missing.string() + " cannot be read", "using " + shipped.string()}},
        {"both damaged",
         "<a></b>",
         "<funkey",
         shipped,
         false,
         {user.string() + " cannot be read", "nor can " + shipped.string(), "stay empty"}},
        {"only the shipped one, damaged",
         "<funkey",
         "",
         user,
         false,
         {user.string() + " cannot be read", "stay empty"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(user);
        if (c.userText) WriteText(user, c.userText);
        WriteText(shipped, c.shippedText);
        AppConfig config;
        const std::string note =
            config.LoadWithFallback(c.userText ? user : missing, c.shippedPath);
        EXPECT_EQ(config.funcKeys().count == 2, c.listsFilled) << c.what;
        EXPECT_EQ(note.empty(), c.said.empty()) << c.what << ": " << note;
        for (const std::string& part : c.said)
            EXPECT_NE(note.find(part), std::string::npos) << c.what << ": " << note;
    }
}

TEST_F(AppConfigTest, ReadsEveryShape) {
    WriteText(File(), kFullConfig);
    AppConfig config;
    config.Load(File());
    EXPECT_EQ(config.language().current(), L"cn");
    EXPECT_EQ(config.device().current(), (UsbInfo{0x1A2C, 0x1514, 3, 1}));
    ASSERT_EQ(config.funcKeys().count, 2u);
    EXPECT_EQ(config.funcKeys().index(), 0u);
    EXPECT_EQ(config.funcKeys().data()[0], (MacroFuncKey{L"Calculator", 402, L"calc", L"-x"}));
    EXPECT_EQ(config.funcKeys().data()[1], (MacroFuncKey{L"Mail", 0, L"", L""}));
    ASSERT_EQ(config.combKeys().count, 2u);
    EXPECT_EQ(config.combKeys().data()[0], (MacroCombKey{L"Copy", Pairs{{224, 0}, {6, 0}}}));
    EXPECT_EQ(config.combKeys().data()[1], MacroCombKey{});
}

TEST_F(AppConfigTest, FileWithoutListsGivesEmptyLists) {
    WriteText(File(), "<local language=\"en\"/>");
    AppConfig config;
    config.Load(File());
    EXPECT_EQ(config.language().current(), L"en");
    EXPECT_EQ(config.device().current(), UsbInfo{});
    EXPECT_EQ(config.funcKeys().count, 0u);
    EXPECT_EQ(config.funcKeys().index(), 0u);
    EXPECT_EQ(config.combKeys().count, 0u);
    EXPECT_THROW(config.funcKeys().current(), ShapeException);
}

TEST_F(AppConfigTest, LaterHoldersStartFromTheLoadedValues) {
    WriteText(File(), kFullConfig);
    AppConfig config;
    config.Load(File());
    const AppConfig::FuncKeyShape editorFuncKeys;
    const AppConfig::CombKeyShape editorCombKeys;
    ASSERT_EQ(editorFuncKeys.count, 2u);
    EXPECT_EQ(editorFuncKeys.data()[0].name, L"Calculator");
    ASSERT_EQ(editorCombKeys.count, 2u);
    EXPECT_EQ(editorCombKeys.data()[0].keys, (Pairs{{224, 0}, {6, 0}}));
}

TEST_F(AppConfigTest, LoadingPublishesNothing) {
    WriteText(File(), kFullConfig);
    AppConfig config;
    AppConfig::FuncKeyShape earlierHolder;
    std::atomic<int> hookRuns{0};
    earlierHolder.bind(&earlierHolder, AppConfig::FuncKeyShape::Hook(
                                           [&](int, const MacroFuncKey*, uint32_t, uint32_t,
                                               uint32_t, uint32_t, int) { ++hookRuns; }));
    config.Load(File());
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(hookRuns.load(), 0);
    EXPECT_EQ(earlierHolder.count, 1u);
    EXPECT_EQ(earlierHolder.current(), MacroFuncKey{});
}

}  // namespace

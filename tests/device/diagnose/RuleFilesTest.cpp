// Finding the rule files that give the keyboard to the user.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "device/diagnose/RuleFiles.h"

namespace fs = std::filesystem;

namespace {

TEST(AnalyseRuleText, RecognisesWhatALineDoes) {
    struct Case {
        const char* name;
        const char* text;
        bool mentions;
        bool uaccess;
        bool setsAccess;
    };
    const Case cases[] = {
        {"uaccess", "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"1a2c\", TAG+=\"uaccess\"\n", true,
         true, false},
        {"capitals and spaces", "ATTRS{idVendor} == \"1A2C\" , TAG += \"uaccess\"", true, true,
         false},
        {"group and mode", "ATTRS{idVendor}==\"1a2c\", GROUP=\"input\", MODE=\"0660\"", true, false,
         true},
        {"final mode", "ATTRS{idVendor}==\"1a2c\", MODE:=\"0666\"", true, false, true},
        {"commented out", "# ATTRS{idVendor}==\"1a2c\", TAG+=\"uaccess\"", false, false, false},
        {"other vendor", "ATTRS{idVendor}==\"046d\", TAG+=\"uaccess\"", false, false, false},
        {"continued line", "ATTRS{idVendor}==\"1a2c\", \\\n  TAG+=\"uaccess\"", true, true, false},
        {"vendor compared unequal", "ATTRS{idVendor}!=\"1a2c\", GOTO=\"end\"", false, false, false},
    };
    for (const Case& c : cases) {
        const auto facts = AnalyseRuleText("r.rules", c.text);
        ASSERT_EQ(facts.has_value(), c.mentions) << c.name;
        if (!facts) continue;
        EXPECT_EQ(facts->grantsUaccess, c.uaccess) << c.name;
        EXPECT_EQ(facts->setsAccess, c.setsAccess) << c.name;
        EXPECT_EQ(facts->path, "r.rules");
    }
}

TEST(AnalyseRuleText, TheShippedRuleGivesTheKeyboardToTheSession) {
    std::ifstream in(KEYLUME_SHIPPED_RULE);
    ASSERT_TRUE(in) << KEYLUME_SHIPPED_RULE;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto facts = AnalyseRuleText("60-keylume.rules", text);
    ASSERT_TRUE(facts.has_value());
    EXPECT_TRUE(facts->grantsUaccess);
    EXPECT_FALSE(facts->setsAccess);
}

class ScanRuleFoldersTest : public testing::Test {
protected:
    ScanRuleFoldersTest() {
        root_ = fs::temp_directory_path() /
                ("keylume-rules-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "etc");
        fs::create_directories(root_ / "lib");
    }
    ~ScanRuleFoldersTest() override { fs::remove_all(root_); }

    void Write(const char* folder, const char* name, const char* text) {
        std::ofstream(root_ / folder / name) << text;
    }
    std::vector<std::string> Folders() const {
        return {(root_ / "etc").string(), (root_ / "missing").string(), (root_ / "lib").string()};
    }

    fs::path root_;
    static constexpr const char* kRule = "ATTRS{idVendor}==\"1a2c\", TAG+=\"uaccess\"\n";
};

TEST_F(ScanRuleFoldersTest, FindsTheRuleWhereverItIs) {
    Write("lib", "60-keylume.rules", kRule);
    Write("lib", "50-other.rules", "ATTRS{idVendor}==\"046d\", TAG+=\"uaccess\"\n");
    Write("etc", "60-keylume.rules.bak", kRule);  // not a rules file
    const RuleSearch search = ScanRuleFolders(Folders());
    EXPECT_EQ(search.folders, Folders());
    ASSERT_EQ(search.files.size(), 1u);
    EXPECT_EQ(search.files[0].path, (root_ / "lib" / "60-keylume.rules").string());
    EXPECT_TRUE(search.files[0].grantsUaccess);
}

TEST_F(ScanRuleFoldersTest, AnEarlierFolderHidesTheSameName) {
    Write("lib", "60-keylume.rules", kRule);
    Write("etc", "60-keylume.rules", "# emptied by the administrator\n");
    EXPECT_TRUE(ScanRuleFolders(Folders()).files.empty());
    Write("etc", "60-keylume.rules", "ATTRS{idVendor}==\"1a2c\", MODE=\"0666\"\n");
    const RuleSearch search = ScanRuleFolders(Folders());
    ASSERT_EQ(search.files.size(), 1u);
    EXPECT_EQ(search.files[0].path, (root_ / "etc" / "60-keylume.rules").string());
    EXPECT_TRUE(search.files[0].setsAccess);
}

TEST_F(ScanRuleFoldersTest, MaskedNamesCountAsAbsent) {
    Write("lib", "60-keylume.rules", kRule);
    fs::create_symlink("/dev/null", root_ / "etc" / "60-keylume.rules");
    EXPECT_TRUE(ScanRuleFolders(Folders()).files.empty());
    fs::remove(root_ / "etc" / "60-keylume.rules");
    Write("etc", "60-keylume.rules", "");
    EXPECT_TRUE(ScanRuleFolders(Folders()).files.empty());
}

TEST_F(ScanRuleFoldersTest, NoFoldersNoFiles) {
    EXPECT_TRUE(ScanRuleFolders({}).files.empty());
    EXPECT_TRUE(ScanRuleFolders({(root_ / "missing").string()}).files.empty());
}

}  // namespace

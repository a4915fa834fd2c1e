// The rules file: what a text gives, and what becomes of a file that cannot be read or written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "persist/AppRulesFile.h"

namespace {

namespace fs = std::filesystem;

const rules::AppRules kRules{
    true, {{"xterm", {1, "Wave"}}, {"org.gnome.Terminal.desktop", {2, {}}}}, rules::Target{0, {}}};

TEST(AppRulesFile, TextsGiveTheRulesTheySay) {
    EXPECT_EQ(persist::ReadRulesText(persist::RulesText(kRules)), kRules);
    const struct {
        const char* text;
        std::optional<std::size_t> rules;  // none: not a rules file
    } cases[] = {
        {"<rules/>", 0},
        {"<RULES enabled='true'><Rule APP='a' profile='3'/></RULES>", 1},
        // Unusable rules are left out; a second rule for one application too.
        {"<rules><rule app='a' profile='-1'/><rule app='b' profile='x'/><rule profile='1'/>"
         "<rule app='c' profile='1 '/><rule app='d' profile='2'/><rule app='D' profile='1'/>"
         "</rules>",
         1},
        {"<macro/>", std::nullopt},
        {"<rules><rule", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<rules::AppRules> read = persist::ReadRulesText(c.text);
        ASSERT_EQ(read.has_value(), c.rules.has_value());
        if (read) {
            EXPECT_EQ(read->rules.size(), *c.rules);
        }
    }
}

TEST(AppRulesFile, AnUnreadableFileIsKeptAsideAndAProtectedOneLeftAlone) {
    const fs::path folder = fs::path(testing::TempDir()) / "app-rules-file";
    fs::remove_all(folder);
    fs::create_directories(folder);
    persist::AppRulesFile file(folder / "rules.xml");
    EXPECT_EQ(file.Load(), rules::AppRules{});
    std::ofstream(file.path()) << "<rules><rule";
    EXPECT_FALSE(file.Load().enabled);
    const persist::AppRulesFile::Saved saved = file.Save(kRules);
    ASSERT_TRUE(saved.error.empty()) << saved.error;
    ASSERT_TRUE(saved.kept);
    std::stringstream kept;
    kept << std::ifstream(*saved.kept).rdbuf();
    EXPECT_EQ(kept.str(), "<rules><rule");
    EXPECT_EQ(file.Load(), kRules);

    fs::permissions(file.path(), fs::perms::owner_read);
    EXPECT_FALSE(file.Save(rules::AppRules{}).error.empty());
    EXPECT_EQ(file.Load(), kRules);
}

}  // namespace

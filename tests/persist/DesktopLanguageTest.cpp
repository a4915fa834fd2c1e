#include "persist/DesktopLanguage.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(DesktopLanguage, FollowsTheDesktopsVariablesInGettextsOrder) {
    using Env = std::map<std::string, std::string>;
    const struct {
        Env env;
        const char* systemLocale;
        const wchar_t* language;
    } cases[] = {
        {{}, "C", L"en"},
        {{{"LANG", "zh_CN.UTF-8"}}, "C", L"cn"},
        {{{"LANG", "zh_CN.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, "C", L"en"},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LC_ALL", "zh_TW.UTF-8"}}, "C", L"cn"},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "fr:zh_CN:en"}}, "C", L"cn"},
        // Under the "C" locale gettext leaves LANGUAGE aside.
        {{{"LC_ALL", "C"}, {"LANGUAGE", "zh_CN"}}, "zh_CN", L"en"},
        {{{"LANG", "de_DE.UTF-8"}}, "zh_CN", L"en"},
        {{{"LANG", ""}, {"LANGUAGE", ":"}}, "zh_HK", L"cn"},
    };
    for (const auto& c : cases) {
        const auto lookup = [&](const char* name) -> const char* {
            const auto found = c.env.find(name);
            return found == c.env.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(persist::DesktopLanguage(lookup, c.systemLocale), c.language)
            << ::testing::PrintToString(c.env) << " " << c.systemLocale;
    }
}

}  // namespace

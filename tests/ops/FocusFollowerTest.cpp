// Applications coming to the front, in turn, and the switch each one asks of the keyboard.
#include <gtest/gtest.h>

#include "ops/FocusFollower.h"
#include "ops/RecentFronts.h"

namespace {

struct Expected {
    std::optional<int> profile;
    std::optional<std::string> mode;
};

struct Step {
    std::vector<std::string> front;
    Showing showing;
    std::optional<Expected> request;
};

rules::AppRules Rules(bool enabled) {
    return {enabled,
            {{"xterm", {1, "Wave"}}, {"org.gnome.Terminal.desktop", {2, std::nullopt}}},
            rules::Target{0, std::nullopt}};
}

void Follow(FocusFollower& follower, const rules::AppRules& rules, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        const Step& step = steps[i];
        const std::optional<SetRequest> request = follower.OnFocus(step.front, rules, step.showing);
        ASSERT_EQ(request.has_value(), step.request.has_value());
        if (!request) continue;
        EXPECT_EQ(request->profile, step.request->profile);
        EXPECT_EQ(request->mode, step.request->mode);
        EXPECT_FALSE(request->colourSet || request->HasModeSettings());
    }
}

TEST(FocusFollower, SwitchesOnlyWhenAnotherApplicationWantsSomethingElse) {
    FocusFollower follower({"org.keylume.Keylume", "keylume"});
    Follow(follower, Rules(true),
           {
               {{"XTerm", "xterm"}, {0, "Static"}, Expected{1, "Wave"}},
               // The user changed the mode meanwhile: the same application keeps it.
               {{"xterm"}, {1, "Rain"}, std::nullopt},
               {{"Xmessage"}, {1, "Rain"}, Expected{0, std::nullopt}},
               {{"org.gnome.Terminal"}, {0, "Static"}, Expected{2, std::nullopt}},
               // Our own window, then nothing in front: no switch, and coming back is no change.
               {{"keylume"}, {2, "Static"}, std::nullopt},
               {{}, {2, "Static"}, std::nullopt},
               {{"org.gnome.Terminal"}, {0, "Static"}, std::nullopt},
               // Already shown, in any spelling of the mode.
               {{"xterm"}, {1, "wave"}, std::nullopt},
               {{"Xmessage"}, {0, "Wave"}, std::nullopt},
               // Same profile, another mode: only the mode.
               {{"xterm"}, {1, "Static"}, Expected{std::nullopt, "Wave"}},
           });
}

TEST(FocusFollower, TurnedOffItSwitchesNothingUntilRenewed) {
    FocusFollower follower({});
    Follow(follower, Rules(false), {{{"xterm"}, {0, "Static"}, std::nullopt}});
    const std::optional<SetRequest> renewed = follower.Renew(Rules(true), {0, "Static"});
    ASSERT_TRUE(renewed);
    EXPECT_EQ(renewed->profile, 1);
    rules::AppRules keep = Rules(true);
    keep.otherwise.reset();
    Follow(follower, keep, {{{"Xmessage"}, {1, "Wave"}, std::nullopt}});
}

TEST(RecentFronts, ListsEachApplicationOnceMostRecentFirstWithoutThisProgram) {
    RecentFronts recent({"org.keylume.Keylume", "keylume"});
    const struct {
        std::vector<std::string> front;
        std::vector<std::string> names;
    } steps[] = {
        {{"xterm", "XTerm"}, {"xterm"}},
        {{"Xmessage"}, {"Xmessage", "xterm"}},
        // Our own window, nothing in front, a nameless one: the list stays.
        {{"Keylume.desktop"}, {"Xmessage", "xterm"}},
        {{}, {"Xmessage", "xterm"}},
        {{""}, {"Xmessage", "xterm"}},
        // Seen again, in another spelling: moved to the top under the new one.
        {{"XTERM"}, {"XTERM", "Xmessage"}},
    };
    for (const auto& step : steps) {
        recent.Saw(step.front);
        EXPECT_EQ(recent.Names(), step.names) << testing::PrintToString(step.front);
    }
    for (std::size_t i = 0; i < RecentFronts::kKept + 3; ++i)
        recent.Saw({"app" + std::to_string(i)});
    const std::vector<std::string> names = recent.Names();
    ASSERT_EQ(names.size(), RecentFronts::kKept);
    EXPECT_EQ(names.front(), "app" + std::to_string(RecentFronts::kKept + 2));
}

}  // namespace

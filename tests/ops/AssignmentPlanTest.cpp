#include <gtest/gtest.h>

#include "ops/AssignmentPlan.h"
#include "records/MacroRequest.h"

namespace {

KeyPositions Keys() {
    return KeyPositions({{L"Esc", 0, 0}, {L"F1", 1, 1}, {L"\\", 50, 50}, {L"\\", 70, 70}});
}

AssignmentChoices Choices() {
    AssignmentChoices choices;
    choices.functions = {{L"Mute", 226, L"", L""}, {L"Empty", 0, L"", L""}};
    choices.combinations = {{L"Copy", {{224, 0}, {6, 0}}}, {L"Nothing", {}}};
    MacroRecordGroup group;
    group.info.current() = MacroRecordGpInfo{-1, 3, L"Hello"};
    group.items.current().push_back(MacroRecordGpItem{0x23, 0, 10, L"H"});
    group.items.current().push_back(MacroRecordGpItem{0x23, 1, 10, L"H"});
    choices.macros.push_back(group);
    MacroRecordGroup empty;
    empty.info.current() = MacroRecordGpInfo{-1, 1, L"Blank"};
    choices.macros.push_back(empty);
    return choices;
}

AssignmentPlan Plan(const std::string& key, AssignKind kind, const std::string& value) {
    return PlanAssignment({key, kind, value}, Keys(), Choices());
}

TEST(AssignmentPlan, BuildsTheRequestsTheEditorWould) {
    const AssignmentPlan single = Plan("f1", AssignKind::Key, "a");
    ASSERT_TRUE(single.error.empty()) << single.error;
    EXPECT_EQ(single.request.key(), 1);
    EXPECT_EQ(single.request.type(), macroreq::TYPE_DIRECT);
    EXPECT_EQ(single.request.code(), 0x04);  // the usage of A

    const AssignmentPlan function = Plan("F1", AssignKind::Function, "mute");
    ASSERT_TRUE(function.error.empty()) << function.error;
    EXPECT_EQ(function.request.code(), 226);

    const AssignmentPlan combination = Plan("Esc", AssignKind::Combination, "Copy");
    ASSERT_TRUE(combination.error.empty()) << combination.error;
    EXPECT_EQ(combination.request.type(), macroreq::TYPE_MACRO);
    EXPECT_EQ(combination.request.macro.count, 4);  // two presses, two releases

    const AssignmentPlan macro = Plan("Esc", AssignKind::Macro, "hello");
    ASSERT_TRUE(macro.error.empty()) << macro.error;
    EXPECT_EQ(macro.request.type(), macroreq::TYPE_MACRO);
    EXPECT_EQ(macro.request.macro.repeat, 3);
    EXPECT_EQ(macro.request.macro.count, 2);

    const AssignmentPlan clear = Plan("Esc", AssignKind::Clear, "");
    ASSERT_TRUE(clear.error.empty());
    EXPECT_EQ(clear.request.type(), macroreq::TYPE_DELETE);
    EXPECT_EQ(clear.request.code(), 0);
}

struct BadAssignment {
    std::string key;
    AssignKind kind;
    std::string value;
    std::string error;
};

class RefusedAssignment : public ::testing::TestWithParam<BadAssignment> {};

TEST_P(RefusedAssignment, SaysWhy) {
    const BadAssignment& bad = GetParam();
    const AssignmentPlan plan = Plan(bad.key, bad.kind, bad.value);
    EXPECT_NE(plan.error.find(bad.error), std::string::npos) << plan.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedAssignment,
    ::testing::Values(
        BadAssignment{"F2", AssignKind::Clear, "", "no key \"F2\""},
        BadAssignment{"\\", AssignKind::Clear, "", "names more than one key: \\ (keys 50 70)"},
        BadAssignment{"F1", AssignKind::Key, "Nope", "unknown key \"Nope\""},
        BadAssignment{"F1", AssignKind::Function, "Louder", "the function keys are: Mute, Empty"},
        BadAssignment{"F1", AssignKind::Function, "Empty", "unknown function"},
        BadAssignment{"F1", AssignKind::Combination, "Paste", "the combinations are: Copy"},
        BadAssignment{"F1", AssignKind::Combination, "Nothing", "unknown combination"},
        BadAssignment{"F1", AssignKind::Macro, "Bye", "the macros are: Hello, Blank"},
        BadAssignment{"F1", AssignKind::Macro, "Blank", "has no steps"}));

}  // namespace

// Work that fails inside the program gives an outcome to report instead of ending it.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "ops/GuardedOutcome.h"

namespace {

TEST(GuardedOutcome, AFailureBecomesTheOutcome) {
    const struct {
        std::function<Outcome()> work;
        int code;
        const char* says;
    } cases[] = {
        {[]() -> Outcome { throw std::bad_alloc(); }, kExitKeyboard, "not enough memory"},
        {[]() -> Outcome { throw std::runtime_error("no room"); }, kExitKeyboard,
         "it failed: no room"},
        {[] {
             return Outcome{kExitUsage, "refused"};
         },
         kExitUsage, "refused"},
    };
    for (const auto& step : cases) {
        const Outcome outcome = Guarded(step.work);
        EXPECT_EQ(outcome.code, step.code) << step.says;
        EXPECT_NE(outcome.message.find(step.says), std::string::npos) << outcome.message;
    }
}

}  // namespace

// Every verdict, decided from a described system.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "FakeSystem.h"
#include "device/diagnose/Verdict.h"

namespace {

using namespace fakesystem;

struct VerdictCase {
    const char* name;
    SystemFacts facts;
    Verdict verdict;
    const char* inSummary;  // a piece of the summary that must be there
    const char* inFix;      // a piece of the fix
};

SystemFacts NoKeyboard() {
    SystemFacts s = Healthy();
    s.interfaces.clear();
    s.info = {};
    return s;
}

SystemFacts OldFirmware(int productId) {
    SystemFacts s = NoKeyboard();
    s.interfaces = {Interface(productId, 0, 2), OpenConfigurationInterface(productId)};
    return s;
}

SystemFacts RuleMissing() {
    SystemFacts s = Refused(Healthy());
    s.rules.files.clear();
    s.interfaces.back().uaccessTag = false;
    return s;
}

SystemFacts RuleNotApplied() {
    SystemFacts s = Refused(Healthy());
    s.interfaces.back().uaccessTag = false;
    return s;
}

SystemFacts OverSsh() {
    SystemFacts s = Refused(Healthy());
    s.user.sessions = {{"7", kUser, "", true, true, "tty"}};
    s.user.currentSession = "7";
    return s;
}

SystemFacts SwitchedAway() {
    SystemFacts s = Refused(Healthy());
    s.user.sessions = {{"2", kUser, "seat0", false, false, "wayland"}};
    return s;
}

SystemFacts OtherSeat() {
    SystemFacts s = Refused(Healthy());
    s.interfaces.back().seat = "seat1";
    return s;
}

SystemFacts DeniedDespiteEverything() {
    return Refused(Healthy());  // rule applied, user active at the seat, yet refused
}

SystemFacts DeniedWithModeRule() {
    // A rule that sets a group and mode does not depend on the session.
    SystemFacts s = Refused(Healthy());
    s.rules.files = {{"/etc/udev/rules.d/70-local.rules", false, true}};
    s.interfaces.back().uaccessTag = false;
    s.user.sessions.clear();
    return s;
}

SystemFacts Busy() {
    return Refused(Healthy(), EBUSY);
}

SystemFacts WriteOnlyRefused() {
    SystemFacts s = Healthy();
    s.interfaces.back().write = {true, false, HidFailure::FromErrno(EACCES)};
    s.user.sessions.clear();
    s.user.sessionsKnown = false;  // no logind: nothing said about sessions
    return s;
}

SystemFacts Silent() {
    SystemFacts s = Healthy();
    s.info = {true, false, HidFailure::FromErrno(ETIMEDOUT), {}, 0, 0, 0};
    return s;
}

SystemFacts OnlyKeyInterfaces() {
    SystemFacts s = Healthy();
    s.interfaces.pop_back();
    s.info = {};
    return s;
}

SystemFacts KeyboardBesideOldFirmware() {
    SystemFacts s = Healthy();
    s.interfaces.insert(s.interfaces.begin(), OpenConfigurationInterface(0x1511));
    return s;
}

SystemFacts EmulatedRefusal() {
    SystemFacts s = Refused(Healthy());
    s.emulated = true;
    s.rules = {};
    return s;
}

SystemFacts UnknownProductOnly() {
    SystemFacts s = NoKeyboard();
    s.interfaces = {Interface(0x1600, 3, 9)};
    return s;
}

const VerdictCase kCases[] = {
    {"all well", Healthy(), Verdict::AllWell, "opens and answers", "Nothing to fix"},
    {"no keyboard", NoKeyboard(), Verdict::NoKeyboard, "No keyboard", "Plug the keyboard in"},
    {"unknown product only", UnknownProductOnly(), Verdict::NoKeyboard, "No keyboard", "Plug"},
    {"old firmware 1511", OldFirmware(0x1511), Verdict::OldFirmware, "product 1511",
     "upgrade program"},
    {"old firmware 1512", OldFirmware(0x1512), Verdict::OldFirmware, "product 1512", "firmware"},
    {"keyboard beside old firmware", KeyboardBesideOldFirmware(), Verdict::AllWell, "opens",
     "Nothing"},
    {"only key interfaces", OnlyKeyInterfaces(), Verdict::NoConfigurationInterface, "interface 3",
     "straight into the computer"},
    {"rule missing", RuleMissing(), Verdict::RuleMissing, "no access rule",
     "60-keylume.rules into /etc/udev/rules.d"},
    {"rule not applied", RuleNotApplied(), Verdict::RuleNotApplied, "before the rule was loaded",
     "udevadm trigger"},
    {"session over ssh", OverSsh(), Verdict::SessionNotLocal, "active local session on seat0",
     "not over SSH"},
    {"session switched away", SwitchedAway(), Verdict::SessionNotLocal, "has none", "desktop"},
    {"keyboard on another seat", OtherSeat(), Verdict::SessionNotLocal, "seat1", "seat"},
    {"denied despite rule and session", DeniedDespiteEverything(), Verdict::PermissionDenied,
     "Permission denied (errno 13)", "getfacl /dev/hidraw5"},
    {"denied with a mode rule", DeniedWithModeRule(), Verdict::PermissionDenied,
     "may not open /dev/hidraw5", "getfacl"},
    {"write refused without logind", WriteOnlyRefused(), Verdict::PermissionDenied,
     "Permission denied", "getfacl"},
    {"busy", Busy(), Verdict::OpenFailed, "Device or resource busy (errno 16)", "plug it in"},
    {"no answer", Silent(), Verdict::NoAnswer, "Connection timed out", "plug it in again"},
    {"emulated refusal", EmulatedRefusal(), Verdict::PermissionDenied, "emulated keyboard",
     "emulated keyboard"},
};

class VerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTest, DecidesFromTheFacts) {
    const VerdictCase& c = GetParam();
    const Diagnosis d = Diagnose(c.facts);
    EXPECT_EQ(VerdictName(d.verdict), std::string(VerdictName(c.verdict)));
    EXPECT_NE(d.summary.find(c.inSummary), std::string::npos) << d.summary;
    EXPECT_NE(d.fix.find(c.inFix), std::string::npos) << d.fix;
    EXPECT_EQ(d.summary.find('\n'), std::string::npos) << "the verdict is one line";
    EXPECT_EQ(d.ExitCode(), c.verdict == Verdict::AllWell ? 0 : 1);
    if (c.verdict != Verdict::NoKeyboard) {
        ASSERT_TRUE(d.subject.has_value());
        EXPECT_LT(*d.subject, c.facts.interfaces.size());
    } else {
        EXPECT_FALSE(d.subject.has_value());
    }
}

std::string CaseName(const testing::TestParamInfo<VerdictCase>& info) {
    std::string name;
    for (const char* c = info.param.name; *c != '\0'; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Systems, VerdictTest, testing::ValuesIn(kCases), CaseName);

TEST(VerdictSubject, PointsAtTheConfigurationInterface) {
    const SystemFacts s = Refused(Healthy());
    const Diagnosis d = Diagnose(s);
    ASSERT_TRUE(d.subject.has_value());
    EXPECT_EQ(s.interfaces[*d.subject].interfaceNumber, 3);
}

TEST(VerdictNames, AreDistinct) {
    std::set<std::string> names;
    for (const VerdictCase& c : kCases) names.insert(VerdictName(c.verdict));
    EXPECT_EQ(names.size(), 10u);  // every verdict appears in the table under its own name
}

}  // namespace

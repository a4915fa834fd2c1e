// What the diagnosis shows people and programs.
#include <gtest/gtest.h>

#include <sstream>

#include "FakeSystem.h"
#include "device/diagnose/DiagnosisReport.h"

namespace {

using namespace fakesystem;

std::string Human(const SystemFacts& facts) {
    std::ostringstream out;
    WriteHumanReport(out, facts, Diagnose(facts));
    return out.str();
}

std::string Json(const SystemFacts& facts) {
    std::ostringstream out;
    WriteJsonReport(out, facts, Diagnose(facts));
    return out.str();
}

void ExpectAll(const std::string& text, std::initializer_list<const char*> pieces) {
    for (const char* piece : pieces)
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
}

TEST(HumanReport, HealthySystemShowsEverythingAndEndsWithTheVerdict) {
    const std::string text = Human(Healthy());
    ExpectAll(text, {"HID interfaces of vendor 1a2c:\n",
                     "  /dev/hidraw5  product 1514 (keyboard), interface 3 (configuration)\n",
                     "  /dev/hidraw3  product 1514 (keyboard), interface 0\n",
                     "    read: ok; write: ok\n", "ACL user::rw-,user:1000:rw-",
                     "may read and write", "tag uaccess present, seat seat0",
                     "Access rule: /usr/lib/udev/rules.d/60-keylume.rules (gives the node to the "
                     "local session)",
                     "  searched: /etc/udev/rules.d /run/udev/rules.d /usr/lib/udev/rules.d\n",
                     "User: alice (uid 1000)\n", "Sessions: 2 wayland on seat0, active, local\n",
                     "This program runs in session 2\n",
                     "Information report: 90 bytes, 3 profiles, 8 modes, 16 macro slots\n"});
    const std::string tail =
        "\nVerdict: The keyboard on /dev/hidraw5 opens and answers.\n"
        "Fix: Nothing to fix.\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(HumanReport, RefusedNodeSaysWhyAndWhatWasSearched) {
    SystemFacts facts = Refused(Healthy());
    facts.rules.files.clear();
    facts.interfaces.back().uaccessTag = false;
    facts.user.sessionsKnown = false;
    facts.user.currentSession.clear();
    ExpectAll(Human(facts),
              {"read: failed: Permission denied (errno 13); write: failed: Permission denied",
               "owner root:root, mode 0600, no ACL; this user (uid 1000) may neither read nor "
               "write",
               "tag uaccess absent", "Access rule: no rule file mentions vendor 1a2c\n",
               "Sessions: unknown (logind's session files could not be read)\n",
               "This program runs in no session\n",
               "Information report: not read (the configuration interface did not open)\n",
               "Verdict: The keyboard is connected but this user may not open /dev/hidraw5: no "
               "access rule for it was found (Permission denied (errno 13)).\n",
               "Fix: Install 60-keylume.rules"});
}

TEST(HumanReport, NoKeyboardSaysSo) {
    SystemFacts facts = Healthy();
    facts.interfaces.clear();
    facts.info = {};
    ExpectAll(Human(facts),
              {"HID interfaces of vendor 1a2c: none\n", "Verdict: No keyboard is connected.\n"});
}

TEST(HumanReport, EmulatedSystemLeavesOutWhatDoesNotApply) {
    SystemFacts facts = Healthy();
    facts.emulated = true;
    for (HidInterfaceFacts& f : facts.interfaces) f.node.clear();
    const std::string text = Human(facts);
    ExpectAll(text, {"Emulated keyboard: no hidraw nodes, udev rules or sessions take part.\n",
                     "  (emulated)  product 1514 (keyboard), interface 3 (configuration)\n",
                     "Verdict: The emulated keyboard on"});
    EXPECT_EQ(text.find("Access rule"), std::string::npos);
    EXPECT_EQ(text.find("uaccess"), std::string::npos);
}

TEST(JsonReport, CarriesTheFactsAndTheVerdict) {
    SystemFacts facts = Refused(Healthy());
    facts.interfaces.erase(facts.interfaces.begin(), facts.interfaces.end() - 1);
    facts.interfaces.back().access.ownerName = "ro\"ot";
    // What JSON cannot carry as is comes out escaped; text that is not UTF-8, replaced.
    facts.interfaces.back().access.groupName = std::string("back\\slash\nline\x1b\0", 17);
    facts.user.name = "user\xff";
    const std::string json = Json(facts);
    ExpectAll(json,
              {"{\"emulated\":false,\"interfaces\":[{\"node\":\"/dev/hidraw5\",",
               "\"vendorId\":\"1a2c\",\"productId\":\"1514\",\"product\":\"keyboard\","
               "\"interface\":3,",
               "\"read\":{\"attempted\":true,\"ok\":false,\"errno\":13,\"reason\":\"Permission "
               "denied (errno 13)\"}",
               "\"ownerName\":\"ro\\\"ot\"", "\"groupName\":\"back\\\\slash\\nline\\u001b\\u0000\"",
               "\"name\":\"user\xEF\xBF\xBD\"", "\"mode\":\"0600\"", "\"acl\":[]", "\"granted\":0",
               "\"uaccessTag\":true,\"seat\":\"seat0\"",
               "\"rules\":{\"searched\":[\"/etc/udev/rules.d\",",
               "\"files\":[{\"path\":\"/usr/lib/udev/rules.d/60-keylume.rules\",\"uaccess\":true,"
               "\"setsAccess\":false}]",
               "\"sessions\":[{\"id\":\"2\",\"seat\":\"seat0\",\"active\":true,\"remote\":false,"
               "\"type\":\"wayland\"}]",
               "\"information\":{\"attempted\":false,\"ok\":false}",
               "\"verdict\":\"permission-denied\"", "\"exitCode\":1}\n"});
}

TEST(JsonReport, InformationBytesAndCounts) {
    SystemFacts facts = Healthy();
    facts.info.bytes = {0x01, 0xab, 0x00};
    ExpectAll(Json(facts), {"\"information\":{\"attempted\":true,\"ok\":true,\"bytes\":\"01 ab "
                            "00\",\"profiles\":3,\"modes\":8,\"macroSlots\":16}",
                            "\"verdict\":\"all-well\"", "\"exitCode\":0}"});
}

}  // namespace

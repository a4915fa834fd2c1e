#include "device/diagnose/Verdict.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "device/HidPath.h"

namespace {

bool IsOldFirmware(int productId) {
    return std::find(std::begin(kOldFirmwareProductIds), std::end(kOldFirmwareProductIds),
                     productId) != std::end(kOldFirmwareProductIds);
}

std::optional<std::size_t> FindInterface(const SystemFacts& facts, bool (*wanted)(int productId),
                                         int interfaceNumber) {
    for (std::size_t i = 0; i < facts.interfaces.size(); ++i) {
        const HidInterfaceFacts& f = facts.interfaces[i];
        if (wanted(f.productId) && (interfaceNumber < 0 || f.interfaceNumber == interfaceNumber))
            return i;
    }
    return std::nullopt;
}

bool IsKeyboard(int productId) {
    return productId == kKeyboardProductId;
}

std::string HexId(int id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id) & 0xFFFF);
    return text;
}

std::string NodeName(const HidInterfaceFacts& f) {
    return f.node.empty() ? f.path : f.node;
}

// The first failed open of the interface: the write one first, as the program opens it first.
const OpenResult* FailedOpen(const HidInterfaceFacts& f) {
    if (!f.write.ok) return &f.write;
    if (!f.read.ok) return &f.read;
    return nullptr;
}

bool IsDenied(const HidFailure& failure) {
    return failure.error == EACCES || failure.error == EPERM;
}

bool RuleGrantsAccess(const RuleSearch& rules) {
    return std::any_of(rules.files.begin(), rules.files.end(),
                       [](const RuleFileFacts& r) { return r.grantsUaccess || r.setsAccess; });
}

bool RuleGrantsOnlyUaccess(const RuleSearch& rules) {
    return std::none_of(rules.files.begin(), rules.files.end(),
                        [](const RuleFileFacts& r) { return r.setsAccess; });
}

bool HasActiveLocalSession(const UserFacts& user, const std::string& seat) {
    return std::any_of(user.sessions.begin(), user.sessions.end(), [&](const SessionFacts& s) {
        return s.uid == user.uid && s.active && !s.remote && s.seat == seat;
    });
}

Diagnosis Denied(const SystemFacts& facts, std::size_t index, const HidFailure& failure) {
    const HidInterfaceFacts& f = facts.interfaces[index];
    const std::string node = NodeName(f);
    const std::string because = " (" + failure.Describe() + ")";
    if (facts.emulated) {
        return {Verdict::PermissionDenied, "The emulated keyboard refused to open" + because + ".",
                "Nothing on this system needs fixing; the emulated keyboard was set up to refuse.",
                index};
    }
    if (!RuleGrantsAccess(facts.rules)) {
        return {Verdict::RuleMissing,
                "The keyboard is connected but this user may not open " + node +
                    ": no access rule for it was found" + because + ".",
                "Install 60-keylume.rules into /etc/udev/rules.d, run \"sudo udevadm control "
                "--reload-rules\", then unplug the keyboard and plug it in again.",
                index};
    }
    if (RuleGrantsOnlyUaccess(facts.rules) && f.udevKnown && !f.uaccessTag) {
        return {Verdict::RuleNotApplied,
                "The access rule is installed but " + node +
                    " did not get it: the keyboard was plugged in before the rule was loaded" +
                    because + ".",
                "Run \"sudo udevadm control --reload-rules\" and \"sudo udevadm trigger "
                "--subsystem-match=hidraw --action=change\", or unplug the keyboard and plug it "
                "in again.",
                index};
    }
    if (RuleGrantsOnlyUaccess(facts.rules) && facts.user.sessionsKnown &&
        !HasActiveLocalSession(facts.user, f.seat)) {
        return {Verdict::SessionNotLocal,
                "The access rule gives " + node + " to the user of the active local session on " +
                    f.seat + ", and this user has none" + because + ".",
                "Run Keylume from the desktop session at the keyboard's seat (not over SSH and "
                "not from a session switched away), or give a group of yours access with "
                "GROUP= and MODE=\"0660\" in a rule of your own.",
                index};
    }
    return {Verdict::PermissionDenied,
            "The keyboard is connected but this user may not open " + node + because + ".",
            "Check who may open it with \"getfacl " + node +
                "\", and look for a rule in /etc/udev/rules.d that takes the access away again.",
            index};
}

Diagnosis OfKeyboard(const SystemFacts& facts, std::size_t index) {
    const HidInterfaceFacts& f = facts.interfaces[index];
    const std::string node = NodeName(f);
    if (const OpenResult* failed = FailedOpen(f)) {
        if (IsDenied(failed->failure)) return Denied(facts, index, failed->failure);
        return {Verdict::OpenFailed,
                "The keyboard's configuration interface " + node +
                    " could not be opened: " + failed->failure.Describe() + ".",
                "Unplug the keyboard and plug it in again; if that does not help, close other "
                "programs that may hold the keyboard.",
                index};
    }
    if (!facts.info.ok) {
        return {Verdict::NoAnswer,
                "The keyboard opened but did not answer its information report (" +
                    facts.info.failure.Describe() + ").",
                "Unplug the keyboard and plug it in again; if it still does not answer, its "
                "firmware may need the upgrade program.",
                index};
    }
    const std::string what = facts.emulated ? "The emulated keyboard" : "The keyboard";
    return {Verdict::AllWell, what + " on " + node + " opens and answers.", "Nothing to fix.",
            index};
}

}  // namespace

const char* VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::AllWell:
            return "all-well";
        case Verdict::NoKeyboard:
            return "no-keyboard";
        case Verdict::OldFirmware:
            return "old-firmware";
        case Verdict::NoConfigurationInterface:
            return "no-configuration-interface";
        case Verdict::RuleMissing:
            return "rule-missing";
        case Verdict::RuleNotApplied:
            return "rule-not-applied";
        case Verdict::SessionNotLocal:
            return "session-not-local";
        case Verdict::PermissionDenied:
            return "permission-denied";
        case Verdict::OpenFailed:
            return "open-failed";
        case Verdict::NoAnswer:
            return "no-answer";
    }
    return "unknown";
}

const char* ProductKind(int productId) {
    if (IsKeyboard(productId)) return "keyboard";
    if (IsOldFirmware(productId)) return "old firmware";
    return "unknown product";
}

Diagnosis Diagnose(const SystemFacts& facts) {
    if (auto config = FindInterface(facts, IsKeyboard, kKeyboardInterface))
        return OfKeyboard(facts, *config);
    if (auto other = FindInterface(facts, IsKeyboard, -1)) {
        return {Verdict::NoConfigurationInterface,
                "The keyboard is connected but shows no configuration interface (interface 3).",
                "Plug the keyboard straight into the computer, not through a switch or adapter "
                "that passes on only its keys.",
                other};
    }
    if (auto old = FindInterface(facts, IsOldFirmware, -1)) {
        return {Verdict::OldFirmware,
                "A keyboard with firmware too old for Keylume is connected (product " +
                    HexId(facts.interfaces[*old].productId) + ").",
                "Update the keyboard's firmware with the upgrade program, then plug it in again.",
                old};
    }
    return {Verdict::NoKeyboard, "No keyboard is connected.",
            "Plug the keyboard in and run this again.", std::nullopt};
}

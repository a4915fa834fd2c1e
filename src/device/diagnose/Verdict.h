#pragma once
// The one-line verdict on a system and the fix in plain words.
#include <optional>
#include <string>

#include "device/diagnose/SystemFacts.h"

enum class Verdict {
    AllWell,
    NoKeyboard,
    OldFirmware,
    NoConfigurationInterface,
    RuleMissing,
    RuleNotApplied,
    SessionNotLocal,
    PermissionDenied,
    OpenFailed,
    NoAnswer,
};

struct Diagnosis {
    Verdict verdict = Verdict::NoKeyboard;
    std::string summary;  // one line
    std::string fix;      // what to do, in plain words
    // Index into SystemFacts::interfaces of the interface the verdict is about.
    std::optional<std::size_t> subject;

    // 0 when the keyboard can be used, 1 otherwise.
    int ExitCode() const { return verdict == Verdict::AllWell ? 0 : 1; }
};

// "all-well", "rule-missing": the verdict's name in machine-readable output.
const char* VerdictName(Verdict verdict);

// What a product id is: "keyboard", "old firmware" or "unknown product".
const char* ProductKind(int productId);

Diagnosis Diagnose(const SystemFacts& facts);

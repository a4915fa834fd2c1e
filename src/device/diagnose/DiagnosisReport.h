#pragma once
// The diagnosis for people and for programs.
#include <ostream>

#include "device/diagnose/SystemFacts.h"
#include "device/diagnose/Verdict.h"

// Interfaces, rules, sessions and the information report, then the verdict and the fix.
void WriteHumanReport(std::ostream& out, const SystemFacts& facts, const Diagnosis& diagnosis);

// One JSON object with the same content, ending with a newline.
void WriteJsonReport(std::ostream& out, const SystemFacts& facts, const Diagnosis& diagnosis);

#pragma once
// Carries out one checked command line on an endpoint and prints the result.
#include <optional>
#include <ostream>
#include <string>

#include "cli/CliRequest.h"
#include "cli/CommandLine.h"
#include "ops/KeyboardEndpoint.h"

// The exit code: 0 done, 1 the keyboard is absent or refused, 2 usage error.
int RunRequest(const CliRequest& request, KeyboardEndpoint& endpoint, std::ostream& out,
               std::ostream& err);

// Answers what needs no keyboard: a usage error (2) or a request for help (0). Nothing when the
// command is to be carried out.
std::optional<int> AnswerWithoutKeyboard(const ParsedCommandLine& parsed, std::ostream& out,
                                         std::ostream& err);

// Prints an outcome (as JSON with --json) and returns its exit code; `tell` prints what was
// done on success too.
int PrintOutcome(const CliRequest& request, const Outcome& outcome, std::ostream& out,
                 std::ostream& err, bool tell = false);

// Prints a usage error the same way wherever it was found.
int UsageError(const std::string& message, std::ostream& err);

#pragma once
// Answers one read command line: a usage error, the help, a listing, or the command run on the
// host; with --json every answer is one object {"ok", "exitCode", "message", ...} on standard
// output.
#include <ostream>
#include <string>

#include "cli/CliRequest.h"
#include "cli/CommandHost.h"
#include "cli/CommandLine.h"
#include "ops/KeyboardEndpoint.h"

// The exit code: 0 done, 1 the keyboard is absent or refused, 2 usage error.
int RunCommand(const ParsedCommandLine& line, CommandHost& host, std::ostream& out,
               std::ostream& err);

// Prints an outcome (as JSON with --json) and returns its exit code; `tell` prints what was
// done on success too.
int PrintOutcome(const CliRequest& request, const Outcome& outcome, std::ostream& out,
                 std::ostream& err, bool tell = false);

// Prints a usage error the same way wherever it was found.
int UsageError(const std::string& message, std::ostream& err);

#pragma once
// The one reader of the program's arguments, for the window and every command:
// `keylume [options] [COMMAND [arguments and options]]`, the options of every command before or
// after it. Pure text work; nothing here touches the keyboard, so a usage error is always found
// before anything is sent.
#include <optional>
#include <string>
#include <vector>

#include "cli/CliRequest.h"
#include "cli/CommandRegistry.h"

struct ParsedCommandLine {
    const CommandEntry* command = nullptr;  // none: the window starts, or one of the answers below
    CliRequest request;
    std::string error;  // empty when the line is good
    bool help = false;
    bool version = false;
    int verbosity = 0;        // -v given this often
    std::string screenshot;   // the window's picture
    bool background = false;  // the window starts in the tray, or minimised
    bool listCommands = false;
    std::optional<std::string> listOptions;  // the options of a command, or of no command (empty)

    bool ok() const { return error.empty(); }
    // The window is to start: no command, and nothing else to answer.
    bool StartsWindow() const;
};

// The arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

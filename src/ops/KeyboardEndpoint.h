#pragma once
// Where the commands are carried out: this process's own keyboard logic, or the running
// window's through the session bus.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "ops/KeyboardRequests.h"

// Exit codes of the commands.
enum ExitCode { kExitDone = 0, kExitKeyboard = 1, kExitUsage = 2 };

struct Outcome {
    int code = kExitDone;
    std::string message;  // what went wrong, or what was done
    // Why an import was refused when only the keyboard's shape differs from the file's, in
    // words: asked for, a partial import restores what matches. Empty otherwise.
    std::string otherShape = {};
    // What the keys the file changes will play, one line each (see persist::AssignmentChange):
    // given when an import was refused for them or only listed them.
    std::vector<std::string> keyChanges = {};
};

// What an import does about the key assignments a backup changes: a backup can make any key type
// any keystrokes, so they are restored only once the user has seen them.
enum class KeyChanges {
    Refuse,   // a file that changes assignments is refused with the list; nothing is sent
    Restore,  // the user has seen the list
    List,     // nothing is sent; the outcome lists what would change
};

class KeyboardEndpoint {
public:
    virtual ~KeyboardEndpoint() = default;
    // The descriptions `status` and `modes` print (see StatusReport.h).
    virtual nlohmann::json StatusReport() = 0;
    virtual nlohmann::json ModesReport() = 0;
    virtual Outcome Set(const SetRequest& request) = 0;
    virtual Outcome Paint(const PaintRequest& request) = 0;
    virtual Outcome Assign(const AssignRequest& request) = 0;
    // The keyboard backup file's text of the whole keyboard, and its restore.
    virtual Outcome Export(std::string& text) = 0;
    virtual Outcome Import(const std::string& text, bool partial, KeyChanges keys) = 0;
};

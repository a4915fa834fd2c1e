#pragma once
// The contract every surface reaches the keyboard through. Two endpoints carry it out: this
// process's own keyboard logic (KeyboardOperations, used by the commands when no window runs,
// by the window's backup menu and by the bus service) and the running window's through the
// session bus (KeyboardBusClient, used by the commands when a window runs).
//
// Results: every call answers; none throws. An Outcome's code is one of ExitCode:
//   kExitDone      the keyboard took the request (or, for a listing, nothing was to be sent);
//   kExitKeyboard  the keyboard is absent, refused a report, did not answer in time, or a file
//                  could not be written; `message` says which, and what was left unchanged;
//   kExitUsage     the request names something the keyboard or the settings lack (an unknown
//                  key, mode or macro, a value out of range, a file that is no backup);
//                  nothing was sent.
// The reports answer `{"connected": false, "state": ...}` when the keyboard cannot be read.
//
// Threads: KeyboardOperations may be called from several threads and serialises the calls (a
// call waits for the one running); it blocks until the keyboard logic has settled, so it is
// never called on the store's dispatcher thread, which it waits for. KeyboardBusClient makes one
// blocking bus call per call and belongs to the thread that made it.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "ops/KeyboardRequests.h"

// The outcomes' codes, also the commands' exit codes.
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

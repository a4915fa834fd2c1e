#pragma once
// Where the commands are carried out: this process's own keyboard logic, or the running
// window's through the session bus.
#include <QJsonObject>
#include <string>

#include "cli/CliRequest.h"

// Exit codes of the commands.
enum ExitCode { kExitDone = 0, kExitKeyboard = 1, kExitUsage = 2 };

struct Outcome {
    int code = kExitDone;
    std::string message;  // what went wrong, or what was done
    // Why an import was refused when only the keyboard's shape differs from the file's, in
    // words: asked for, a partial import restores what matches. Empty otherwise.
    std::string otherShape = {};
};

class KeyboardEndpoint {
public:
    virtual ~KeyboardEndpoint() = default;
    // The descriptions `status` and `modes` print (see StatusReport.h).
    virtual QJsonObject StatusReport() = 0;
    virtual QJsonObject ModesReport() = 0;
    virtual Outcome Set(const SetRequest& request) = 0;
    virtual Outcome Paint(const PaintRequest& request) = 0;
    virtual Outcome Assign(const AssignRequest& request) = 0;
    // The keyboard backup file's text of the whole keyboard, and its restore.
    virtual Outcome Export(std::string& text) = 0;
    virtual Outcome Import(const std::string& text, bool partial) = 0;
};

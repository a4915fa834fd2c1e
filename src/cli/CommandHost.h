#pragma once
// What the program around the commands lends them: the keyboard (the running window's, or one
// this process opens), the diagnosis of the system and the macro file.
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>

#include "cli/CliRequest.h"
#include "ops/KeyboardEndpoint.h"
#include "ops/KeyboardOperations.h"
#include "ops/RulesEndpoint.h"

class CommandHost {
public:
    virtual ~CommandHost() = default;

    using Use = std::function<int(KeyboardEndpoint& keyboard)>;
    // Sees a keyboard this process opens before it connects; an exit code refuses the command.
    using Check = std::function<std::optional<int>(const KeyboardOperations& keyboard)>;
    // Runs `use` on the keyboard and returns its exit code. readsOnly leaves the macro file as
    // it is.
    virtual int OnKeyboard(const CliRequest& request, bool readsOnly, const Use& use,
                           const Check& check, std::ostream& err) = 0;
    // Runs `use` on the rules of applications: the running window's, else the rules file.
    virtual int OnRules(const std::function<int(RulesEndpoint& rules)>& use, std::ostream& err) = 0;
    virtual int Diagnose(const CliRequest& request, std::ostream& out, std::ostream& err) = 0;
    virtual std::filesystem::path MacroFile() = 0;
    // Whether a window keeps the macro file in memory, so that this process may not change it;
    // says so in err.
    virtual bool MacroFileHeld(std::ostream& err) = 0;
};

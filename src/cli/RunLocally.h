#pragma once
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandHost.h"
#include "device/HidBackend.h"
#include "persist/AppPaths.h"

using OpenBackend = std::function<std::shared_ptr<HidBackend>(const std::string& emulation)>;

// The commands on a keyboard this process opens, and on this user's macro file.
class LocalHost : public CommandHost {
public:
    LocalHost(AppPaths paths, OpenBackend open)
        : paths_(std::move(paths)), open_(std::move(open)) {}

    int OnKeyboard(const CliRequest& request, bool readsOnly, const Use& use, const Check& check,
                   std::ostream& err) override;
    // The system around the keyboard is the program's to examine: refused here.
    int Diagnose(const CliRequest& request, std::ostream& out, std::ostream& err) override;
    int OnRules(const std::function<int(RulesEndpoint& rules)>& use, std::ostream& err) override;
    std::filesystem::path MacroFile() override { return paths_.macroFile; }
    bool MacroFileHeld(std::ostream&) override { return false; }

private:
    AppPaths paths_;
    OpenBackend open_;
};

// Parses the arguments (the command's name first) and carries the command out on the backend;
// a usage error opens nothing. Returns the exit code.
int RunLocally(const std::vector<std::string>& arguments, const AppPaths& paths,
               const OpenBackend& open, std::ostream& out, std::ostream& err);

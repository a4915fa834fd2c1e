#include "cli/CommandRun.h"

#include "cli/CommandLine.h"
#include "cli/StatusText.h"
#include "ops/BackupCommand.h"
#include "ops/StatusReport.h"

namespace {

int Report(const CliRequest& request, const nlohmann::json& report, std::ostream& out,
           std::string (*text)(const nlohmann::json&)) {
    out << (request.json ? JsonText(report) : text(report));
    return report.value("connected", false) ? kExitDone : kExitKeyboard;
}

}  // namespace

int PrintOutcome(const CliRequest& request, const Outcome& outcome, std::ostream& out,
                 std::ostream& err, bool tell) {
    if (request.json) {
        nlohmann::json json{{"ok", outcome.code == kExitDone},
                            {"exitCode", outcome.code},
                            {"message", outcome.message}};
        if (!outcome.keyChanges.empty()) json["keyChanges"] = outcome.keyChanges;
        out << JsonText(json);
    } else if (!outcome.keyChanges.empty()) {
        std::ostream& list = outcome.code == kExitDone ? out : err;
        list << "What the keys will play:\n";
        for (const std::string& line : outcome.keyChanges) list << "  " << line << "\n";
    }
    if (outcome.code != kExitDone)
        err << "keylume: " << outcome.message << "\n";
    else if (tell && !request.json)
        out << outcome.message << "\n";
    return outcome.code;
}

int UsageError(const std::string& message, std::ostream& err) {
    err << "keylume: " << message << "\n"
        << "Try \"keylume --help\".\n";
    return kExitUsage;
}

std::optional<int> AnswerWithoutKeyboard(const ParsedCommandLine& parsed, std::ostream& out,
                                         std::ostream& err) {
    if (!parsed.ok()) return UsageError(parsed.error, err);
    if (parsed.request.command != CliCommand::Help) return std::nullopt;
    out << CommandUsage();
    return kExitDone;
}

int RunRequest(const CliRequest& request, KeyboardEndpoint& endpoint, std::ostream& out,
               std::ostream& err) {
    switch (request.command) {
        case CliCommand::Help:
            out << CommandUsage();
            return kExitDone;
        case CliCommand::Status:
            return Report(request, endpoint.StatusReport(), out, StatusText);
        case CliCommand::Modes:
            return Report(request, endpoint.ModesReport(), out, ModesText);
        case CliCommand::Set:
            return PrintOutcome(request, endpoint.Set(request.set), out, err);
        case CliCommand::Paint:
            return PrintOutcome(request, endpoint.Paint(request.paint), out, err);
        case CliCommand::Assign:
            return PrintOutcome(request, endpoint.Assign(request.assign), out, err);
        case CliCommand::Export:
            return PrintOutcome(request, ExportBackup(request.backup, endpoint), out, err, true);
        case CliCommand::Import: {
            Outcome outcome = ImportBackup(request.backup, endpoint);
            if (outcome.code != kExitDone && !outcome.keyChanges.empty())
                outcome.message += "; check the list, then run again with --yes to restore it";
            return PrintOutcome(request, outcome, out, err, true);
        }
        case CliCommand::Diagnose:
            break;  // examines the system rather than an endpoint
    }
    return kExitUsage;
}

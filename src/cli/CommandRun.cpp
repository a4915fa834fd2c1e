#include "cli/CommandRun.h"

#include <sstream>

#include "cli/CommandHelp.h"
#include "ops/StatusReport.h"

namespace {

constexpr std::string_view kPrefix = "keylume: ";

// The first line of what went wrong, without the program's name.
std::string FirstProblem(const std::string& problems) {
    std::string line = problems.substr(0, problems.find('\n'));
    if (line.compare(0, kPrefix.size(), kPrefix) == 0) line.erase(0, kPrefix.size());
    return line;
}

// What a command printed, as the one object of --json: its own object, or its text as the
// message.
std::string Envelope(int code, const std::string& text, const std::string& problems) {
    nlohmann::json answer = nlohmann::json::parse(text, nullptr, false);
    const bool printedObject = answer.is_object();
    if (!printedObject) answer = nlohmann::json::object();
    if (!answer.contains("message")) {
        std::string message = code != kExitDone ? FirstProblem(problems)
                              : printedObject   ? ""
                                                : text;
        while (!message.empty() && message.back() == '\n') message.pop_back();
        answer["message"] = message;
    }
    answer["ok"] = code == kExitDone;
    answer["exitCode"] = code;
    return JsonText(answer);
}

int Answer(const ParsedCommandLine& line, CommandHost& host, std::ostream& out, std::ostream& err) {
    if (!line.ok()) return UsageError(line.error, err);
    if (line.listCommands) {
        out << CommandList();
    } else if (line.listOptions) {
        out << OptionList(FindCommand(*line.listOptions));
    } else if (line.help) {
        out << (line.command ? CommandHelp(*line.command) : ProgramHelp());
    } else if (line.command) {
        return line.command->run(line.request, host, out, err);
    }
    return kExitDone;
}

}  // namespace

int RunCommand(const ParsedCommandLine& line, CommandHost& host, std::ostream& out,
               std::ostream& err) {
    if (!line.request.json) return Answer(line, host, out, err);
    std::ostringstream text;
    std::ostringstream problems;
    const int code = Answer(line, host, text, problems);
    err << problems.str();
    out << Envelope(code, text.str(), problems.str());
    return code;
}

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
        err << kPrefix << outcome.message << "\n";
    else if (tell && !request.json)
        out << outcome.message << "\n";
    return outcome.code;
}

int UsageError(const std::string& message, std::ostream& err) {
    err << kPrefix << message << "\n"
        << "Try \"keylume --help\".\n";
    return kExitUsage;
}

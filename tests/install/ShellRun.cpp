#include "ShellRun.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace {

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace

ShellResult RunShell(const std::vector<std::string>& command,
                     const std::vector<std::string>& environment,
                     const std::filesystem::path& folder) {
    std::string line;
    if (!folder.empty()) line += "cd " + Quoted(folder.string()) + " && ";
    line += "env";
    for (const std::string& entry : environment) {
        if (!entry.empty() && entry.back() == '=')
            line += " -u " + Quoted(entry.substr(0, entry.size() - 1));
        else
            line += " " + Quoted(entry);
    }
    for (const std::string& word : command) line += " " + Quoted(word);
    line += " 2>&1";

    ShellResult result;
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    while (size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        result.output.append(buffer.data(), read);
    }
    const int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

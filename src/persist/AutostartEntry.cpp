#include "persist/AutostartEntry.h"

#include <fstream>
#include <sstream>

#include "files/FileReplacer.h"

namespace persist {

namespace fs = std::filesystem;

fs::path AutostartFile(const AppPaths::Environment& env) {
    return AppPaths::UserConfigFolder(env).parent_path() / "autostart" /
           (std::string(kApplicationId) + ".desktop");
}

bool AutostartOn(const fs::path& file) {
    std::ifstream entry(file);
    if (!entry) return false;
    std::string line;
    while (std::getline(entry, line))
        if (line == "Hidden=true") return false;
    return true;
}

std::string ExecArgument(const std::string& argument) {
    // A field code is "%" and a letter; a plain percent sign is doubled.
    std::string escaped;
    bool quote = argument.empty();
    for (const char c : argument) {
        if (c == '%') {
            escaped += "%%";
            continue;
        }
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            // Inside quotes these take a backslash, and the entry's string doubles every
            // backslash again: a backslash itself becomes four.
            escaped += c == '\\' ? "\\\\\\\\" : "\\\\";
            quote = true;
            if (c == '\\') continue;
        } else if (c == ' ' || c == '\t' || c == '\'' || c == '>' || c == '<' || c == '~' ||
                   c == '|' || c == '&' || c == ';' || c == '*' || c == '?' || c == '#' ||
                   c == '(' || c == ')') {
            quote = true;
        }
        escaped += c;
    }
    return quote ? "\"" + escaped + "\"" : escaped;
}

std::string WriteAutostart(const fs::path& file, const fs::path& program,
                           const std::vector<std::string>& arguments) {
    std::string exec = ExecArgument(program.string());
    for (const std::string& argument : arguments) exec += " " + ExecArgument(argument);
    std::ostringstream entry;
    entry << "[Desktop Entry]\n"
          << "Type=Application\n"
          << "Name=Keylume\n"
          << "Comment=Keeps the keyboard following the application in front\n"
          << "Exec=" << exec << "\n"
          << "Icon=keylume\n"
          << "Terminal=false\n"
          << "NoDisplay=true\n"
          << "X-GNOME-Autostart-enabled=true\n";
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    const files::Replaced replaced = files::FileReplacer().Replace(file, entry.str());
    return replaced ? std::string() : file.string() + ": " + replaced.error;
}

std::string RemoveAutostart(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
    return error ? file.string() + ": " + error.message() : std::string();
}

}  // namespace persist

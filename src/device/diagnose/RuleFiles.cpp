#include "device/diagnose/RuleFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Rule lines without their comments, continuation lines joined.
std::vector<std::string> RuleLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string pending;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool continued = !line.empty() && line.back() == '\\';
        if (continued) line.pop_back();
        pending += line;
        if (continued) continue;
        const std::size_t start = pending.find_first_not_of(" \t");
        if (start != std::string::npos && pending[start] != '#') lines.push_back(Lower(pending));
        pending.clear();
    }
    return lines;
}

std::string WithoutSpaces(const std::string& text) {
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t') compact += c;
    return compact;
}

std::optional<std::string> ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Masked(const fs::path& file) {
    std::error_code error;
    if (fs::is_symlink(file, error) && fs::read_symlink(file, error) == "/dev/null") return true;
    return fs::is_regular_file(file, error) && fs::file_size(file, error) == 0;
}

}  // namespace

std::vector<std::string> DefaultRuleFolders() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
            "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

std::optional<RuleFileFacts> AnalyseRuleText(const std::string& path, std::string_view text) {
    RuleFileFacts facts{path, false, false};
    bool mentionsVendor = false;
    for (const std::string& line : RuleLines(text)) {
        const std::string compact = WithoutSpaces(line);
        if (compact.find("{idvendor}==\"1a2c\"") != std::string::npos) mentionsVendor = true;
        if (compact.find("tag+=\"uaccess\"") != std::string::npos) facts.grantsUaccess = true;
        if (compact.find("mode=\"") != std::string::npos ||
            compact.find("mode:=\"") != std::string::npos ||
            compact.find("group=\"") != std::string::npos ||
            compact.find("group:=\"") != std::string::npos) {
            facts.setsAccess = true;
        }
    }
    if (!mentionsVendor) return std::nullopt;
    return facts;
}

RuleSearch ScanRuleFolders(const std::vector<std::string>& folders) {
    RuleSearch search;
    search.folders = folders;
    std::map<std::string, fs::path> byName;  // udev reads the files in the order of their names
    for (const std::string& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const fs::path& file = it->path();
            if (file.extension() == ".rules") byName.emplace(file.filename().string(), file);
        }
    }
    for (const auto& [name, file] : byName) {
        if (Masked(file)) continue;
        std::optional<std::string> text = ReadText(file);
        if (!text) continue;
        if (std::optional<RuleFileFacts> facts = AnalyseRuleText(file.string(), *text))
            search.files.push_back(*facts);
    }
    return search;
}

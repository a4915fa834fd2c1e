#include "device/diagnose/SessionFiles.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string, std::less<>> Fields(std::string_view text) {
    std::map<std::string, std::string, std::less<>> fields;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos || equals == 0) continue;
        fields[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return fields;
}

std::string Field(const std::map<std::string, std::string, std::less<>>& fields,
                  std::string_view key) {
    auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

}  // namespace

std::optional<SessionFacts> ParseSessionFile(const std::string& id, std::string_view text) {
    const auto fields = Fields(text);
    const std::string uidText = Field(fields, "UID");
    unsigned uid = 0;
    const char* end = uidText.data() + uidText.size();
    auto [stop, error] = std::from_chars(uidText.data(), end, uid);
    if (uidText.empty() || error != std::errc() || stop != end) return std::nullopt;
    SessionFacts session;
    session.id = id;
    session.uid = uid;
    session.seat = Field(fields, "SEAT");
    session.active = Field(fields, "ACTIVE") == "1";
    session.remote = Field(fields, "REMOTE") == "1";
    session.type = Field(fields, "TYPE");
    return session;
}

std::optional<std::vector<SessionFacts>> ReadSessions(const std::string& folder, unsigned uid) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) return std::nullopt;
    std::vector<SessionFacts> sessions;
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        std::ifstream in(it->path());
        std::ostringstream text;
        text << in.rdbuf();
        std::optional<SessionFacts> session =
            ParseSessionFile(it->path().filename().string(), text.str());
        if (session && session->uid == uid) sessions.push_back(*session);
    }
    std::sort(sessions.begin(), sessions.end(),
              [](const SessionFacts& a, const SessionFacts& b) { return a.id < b.id; });
    return sessions;
}

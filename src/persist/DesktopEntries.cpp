#include "persist/DesktopEntries.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "persist/SmallTextFile.h"
#include "records/AppRules.h"

namespace persist {
namespace {

// Larger files are no desktop files of an application; the count bounds a folder gone wild.
constexpr std::uintmax_t kLargestFile = 64 * 1024;
constexpr int kMostFiles = 10000;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The escapes a string value may hold.
std::string Unescaped(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                text += ' ';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            default:
                text += value[i];
                break;
        }
    }
    return text;
}

// "Name[zh_CN]" then "Name[zh]" for "zh_CN.UTF-8@x"; an empty locale asks for neither.
std::vector<std::string> NameKeys(std::string_view locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    std::vector<std::string> keys;
    if (!locale.empty()) keys.push_back("Name[" + std::string(locale) + "]");
    if (const auto bar = locale.find('_'); bar != std::string_view::npos && bar > 0)
        keys.push_back("Name[" + std::string(locale.substr(0, bar)) + "]");
    keys.emplace_back("Name");
    return keys;
}

}  // namespace

std::optional<DesktopEntry> ReadDesktopEntry(std::string_view text, std::string id,
                                             std::string_view locale) {
    const std::vector<std::string> nameKeys = NameKeys(locale);
    std::vector<std::string> names(nameKeys.size());
    std::string type;
    std::string hidden;
    DesktopEntry entry{std::move(id), {}, {}, {}};
    bool inEntry = false;
    bool seenEntry = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inEntry = line == "[Desktop Entry]" && !seenEntry;
            seenEntry = seenEntry || inEntry;
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntry || equals == std::string_view::npos) continue;
        const std::string key(Trimmed(line.substr(0, equals)));
        const std::string value = Unescaped(Trimmed(line.substr(equals + 1)));
        // The first of a key repeated counts.
        auto take = [&](std::string& field) {
            if (field.empty()) field = value;
        };
        for (std::size_t i = 0; i < nameKeys.size(); ++i)
            if (key == nameKeys[i]) take(names[i]);
        if (key == "Type") take(type);
        if (key == "Hidden") take(hidden);
        if (key == "Icon") take(entry.icon);
        if (key == "StartupWMClass") take(entry.wmClass);
    }
    if (type != "Application" || hidden == "true") return std::nullopt;
    for (const std::string& name : names) {
        if (name.empty()) continue;
        entry.name = name;
        return entry;
    }
    return std::nullopt;
}

std::vector<std::filesystem::path> ApplicationFolders(const EnvironmentLookup& lookup) {
    auto value = [&](const char* name) {
        const char* found = lookup(name);
        return std::string(found ? found : "");
    };
    std::vector<std::filesystem::path> data;
    if (const std::filesystem::path home = value("XDG_DATA_HOME"); home.is_absolute())
        data.push_back(home);
    else if (const std::filesystem::path user = value("HOME"); user.is_absolute())
        data.push_back(user / ".local" / "share");
    std::string dirs = value("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= dirs.size();) {
        const auto colon = std::min(dirs.find(':', start), dirs.size());
        // Relative entries are invalid and ignored.
        if (const std::filesystem::path dir = dirs.substr(start, colon - start); dir.is_absolute())
            data.push_back(dir);
        start = colon + 1;
    }
    for (std::filesystem::path& folder : data) folder /= "applications";
    return data;
}

std::vector<DesktopEntry> ReadDesktopEntries(const std::vector<std::filesystem::path>& folders,
                                             std::string_view locale) {
    std::vector<DesktopEntry> entries;
    std::set<std::string> seen;
    int files = 0;
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        std::filesystem::recursive_directory_iterator it(
            folder, std::filesystem::directory_options::skip_permission_denied, error);
        for (; !error && it != std::filesystem::recursive_directory_iterator();
             it.increment(error)) {
            const std::filesystem::path& file = it->path();
            if (file.extension() != ".desktop" || !it->is_regular_file(error)) continue;
            if (++files > kMostFiles) return entries;
            // The id is the path below the folder, its separators turned into dashes.
            std::string id = file.lexically_relative(folder).generic_string();
            std::ranges::replace(id, '/', '-');
            if (!seen.insert(id).second) continue;
            const SmallTextFile read = ReadSmallTextFile(file, kLargestFile, "a desktop file");
            if (!read.ok()) continue;
            if (auto entry = ReadDesktopEntry(read.text, std::move(id), locale))
                entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

const DesktopEntry* EntryFor(const std::vector<DesktopEntry>& entries, std::string_view app) {
    for (const DesktopEntry& entry : entries)
        if (rules::SameApplication(entry.id, app)) return &entry;
    for (const DesktopEntry& entry : entries)
        if (!entry.wmClass.empty() && rules::SameApplication(entry.wmClass, app)) return &entry;
    return nullptr;
}

}  // namespace persist

#include "persist/BackupJson.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>

#include "records/LightingSettings.h"

namespace persist::backup_json {

const Json& Member(const Json& object, const std::string& path, const char* name) {
    const auto it = object.find(name);
    if (it == object.end()) {
        throw BackupRefusal{{path.empty() ? "/" : path, std::string("missing \"") + name + "\""}};
    }
    return *it;
}

const Json& Renamed(const Json& object, const std::string& path, const std::string& name,
                    std::string_view former, std::string& place) {
    place = Place(path, name);
    const auto old = former.empty() ? object.end() : object.find(std::string(former));
    if (old == object.end()) return Member(object, path, name.c_str());
    if (object.contains(name))
        throw BackupRefusal{{path.empty() ? "/" : path, "\"" + name + "\" given twice, also as \"" +
                                                            std::string(former) + "\""}};
    place = Place(path, std::string(former));
    return *old;
}

std::int64_t WholeNumber(const Json& value, const std::string& path, std::int64_t low,
                         std::int64_t high) {
    if (!value.is_number_integer()) {
        throw BackupRefusal{{path, "not a whole number"}};
    }
    const std::int64_t number =
        value.is_number_unsigned()
            ? static_cast<std::int64_t>(std::min<std::uint64_t>(
                  value.get<std::uint64_t>(), std::numeric_limits<std::int64_t>::max()))
            : value.get<std::int64_t>();
    if (number < low || number > high) {
        // The file's own digits: a huge number is clamped above.
        throw BackupRefusal{{path, value.dump() + "; allowed " + std::to_string(low) + " to " +
                                       std::to_string(high)}};
    }
    return number;
}

const Json& Object(const Json& value, const std::string& path) {
    if (!value.is_object()) {
        throw BackupRefusal{{path.empty() ? "/" : path, "not an object"}};
    }
    return value;
}

bool Boolean(const Json& value, const std::string& path) {
    if (!value.is_boolean()) {
        throw BackupRefusal{{path, "not true or false"}};
    }
    return value.get<bool>();
}

std::string Place(const std::string& path, const std::string& name) {
    std::string escaped;
    for (const char c : name) escaped += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
    return path + "/" + escaped;
}

const Json& Array(const Json& value, const std::string& path) {
    if (!value.is_array()) throw BackupRefusal{{path, "not a list"}};
    return value;
}

const std::string& Text(const Json& value, const std::string& path) {
    const std::string* text = value.get_ptr<const std::string*>();
    if (!text) throw BackupRefusal{{path, "not a text"}};
    return *text;
}

bool IsHexAfter(const std::string& text, const char* prefix, std::size_t digits) {
    const std::size_t start = std::strlen(prefix);
    return text.size() == start + digits && text.compare(0, start, prefix) == 0 &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

Rgb Colour(const Json& value, const std::string& path) {
    const std::string* text = value.get_ptr<const std::string*>();
    unsigned parts[3] = {};
    int used = 0;
    if (text == nullptr || !IsHexAfter(*text, "#", 6) ||
        std::sscanf(text->c_str(), "#%2x%2x%2x%n", &parts[0], &parts[1], &parts[2], &used) != 3 ||
        used != 7) {
        throw BackupRefusal{{path, "not a colour like \"#FF8000\""}};
    }
    return {static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
            static_cast<std::uint8_t>(parts[2])};
}

std::string ColourText(const Rgb& colour) {
    return lighting::ColourText(static_cast<std::uint32_t>(colour[0]) << 16 |
                                static_cast<std::uint32_t>(colour[1]) << 8 | colour[2]);
}

}  // namespace persist::backup_json

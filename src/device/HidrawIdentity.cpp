#include "device/HidrawIdentity.h"

#include <cctype>
#include <regex>
#include <vector>

#include "device/HidPath.h"

namespace {

std::vector<std::string> SplitPath(std::string_view devpath) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= devpath.size()) {
        std::size_t end = devpath.find('/', start);
        if (end == std::string_view::npos) end = devpath.size();
        if (end > start) parts.emplace_back(devpath.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string_view LastPart(std::string_view devpath) {
    std::size_t slash = devpath.rfind('/');
    return slash == std::string_view::npos ? devpath : devpath.substr(slash + 1);
}

}  // namespace

bool IsHidrawName(std::string_view name) {
    constexpr std::string_view prefix = "hidraw";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 9) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != prefix[i]) return false;
    }
    for (char c : name.substr(prefix.size())) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

std::optional<std::string> HidrawNodeOfPath(std::string_view path) {
    HidPathInfo info;
    std::string_view instance = HidPathInstance(path);
    if (!ParseHidPath(path, info) || !IsHidrawName(instance)) return std::nullopt;
    std::string node = "/dev/hidraw";
    node += instance.substr(6);
    return node;
}

std::optional<std::string> HidrawPathFromDevpath(std::string_view devpath) {
    static const std::regex hidDevice("[0-9a-f]{4}:([0-9a-f]{4}):([0-9a-f]{4})\\.[0-9a-f]+",
                                      std::regex::icase);
    static const std::regex usbInterface("\\d+-[\\d.]+:\\d+\\.(\\d+)");
    std::vector<std::string> parts = SplitPath(devpath);
    if (parts.empty() || !IsHidrawName(parts.back())) return std::nullopt;
    for (std::size_t i = parts.size(); i-- > 0;) {
        std::smatch hid;
        if (!std::regex_match(parts[i], hid, hidDevice)) continue;
        int interfaceNumber = -1;
        std::smatch usb;
        if (i > 0 && std::regex_match(parts[i - 1], usb, usbInterface) && usb[1].length() <= 3) {
            interfaceNumber = std::stoi(usb[1].str());
        }
        return MakeHidInterfacePath(std::stoi(hid[1].str(), nullptr, 16),
                                    std::stoi(hid[2].str(), nullptr, 16), interfaceNumber, -1,
                                    parts.back());
    }
    return std::nullopt;
}

std::map<std::string, std::string> ParseUeventMessage(const char* message, std::size_t size) {
    std::map<std::string, std::string> fields;
    if (message == nullptr) return fields;
    std::string_view text(message, size);
    std::size_t end = text.find('\0');
    std::string_view head = text.substr(0, end);
    std::size_t at = head.find('@');
    if (at == std::string_view::npos || at == 0 || at + 1 >= head.size()) return fields;
    while (end != std::string_view::npos && end + 1 < text.size()) {
        std::size_t start = end + 1;
        end = text.find('\0', start);
        std::string_view entry = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos || equals == 0) continue;
        fields.emplace(entry.substr(0, equals), entry.substr(equals + 1));
    }
    return fields;
}

std::optional<HidEvent> HidrawEventTranslator::Translate(std::string_view action,
                                                         std::string_view subsystem,
                                                         std::string_view devpath) {
    if (subsystem != "hidraw") return std::nullopt;
    std::string node(LastPart(devpath));
    std::optional<std::string> path = HidrawPathFromDevpath(devpath);
    if (action == "add") {
        if (!path) return std::nullopt;
        seen_[node] = *path;
        return HidEvent{HidEvent::Kind::Arrival, *path};
    }
    if (action == "remove") {
        auto known = seen_.find(node);
        if (!path && known != seen_.end()) path = known->second;
        if (known != seen_.end()) seen_.erase(known);
        if (!path) return std::nullopt;
        return HidEvent{HidEvent::Kind::Removal, *path};
    }
    return std::nullopt;
}

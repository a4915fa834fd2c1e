#include "widgets/CoordsFile.h"

#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <pugixml.hpp>

namespace SOUI {
namespace {

// Numbers are base 10 only: "0x..." stops at the "x" and reads as 0.
std::int32_t ReadSigned(const pugi::xml_attribute& a, std::int32_t fallback) {
    if (!a) return fallback;
    const long long v = std::strtoll(a.value(), nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long long>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::uint32_t ReadUnsigned(const pugi::xml_attribute& a) {
    if (!a) return 0;
    const char* text = a.value();
    while (*text == ' ' || *text == '\t') ++text;
    // A negative number is not a colour.
    if (*text == '-') return 0;
    const unsigned long long v = std::strtoull(text, nullptr, 10);
    return static_cast<std::uint32_t>(
        std::min<unsigned long long>(v, std::numeric_limits<std::uint32_t>::max()));
}

std::int32_t Clamped(long long v) {
    return static_cast<std::int32_t>(std::clamp<long long>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// "x,y,w,h" with any spaces; numbers that do not parse stay 0.
CoordRect ReadRect(const pugi::xml_attribute& a) {
    std::string text = a.value();
    std::erase(text, ' ');
    int x = 0, y = 0, w = 0, h = 0;
    std::sscanf(text.c_str(), "%d,%d,%d,%d", &x, &y, &w, &h);
    return CoordRect{x, y, Clamped(static_cast<long long>(x) + w),
                     Clamped(static_cast<long long>(y) + h)};
}

std::wstring ReadText(const pugi::xml_attribute& a) {
    return QString::fromUtf8(a.value()).toStdWString();
}

}  // namespace

std::vector<CoordButtonInfo> ReadCoordsFile(const std::string& path) {
    std::vector<CoordButtonInfo> keys;
    // Plain files only: the parser would ask a folder for an endless buffer, and opening a pipe
    // waits for a writer.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return keys;
    pugi::xml_document doc;
    if (!doc.load_file(path.c_str())) return keys;
    const pugi::xml_node positions = doc.child("positions");
    std::int32_t order = 0;
    for (pugi::xml_node node : positions.children()) {
        if (node.type() != pugi::node_element) continue;
        CoordButtonInfo key;
        key.id = ReadSigned(node.attribute("id"), -1);
        key.value = ReadSigned(node.attribute("value"), -1);
        key.index = ReadSigned(node.attribute("index"), -1);
        key.order = order++;
        key.name = ReadText(node.attribute("name"));
        key.tip = ReadText(node.attribute("tip"));
        key.rect = ReadRect(node.attribute("rect"));
        key.bground = ReadUnsigned(node.attribute("bground"));
        key.fground = ReadUnsigned(node.attribute("fground"));
        keys.push_back(std::move(key));
    }
    return keys;
}

}  // namespace SOUI

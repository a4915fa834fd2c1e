#include "device/HidPath.h"

#include <cctype>
#include <cstdio>
#include <regex>

namespace {

// Every capture holds the whole field, so "&mi_13" is interface 0x13, not 3.
const std::regex& HidPathPattern() {
    static const std::regex pattern(
        "hid#vid_([\\da-zA-Z]{4})&pid_([\\da-zA-Z]{4})(&rev_([\\da-zA-Z]{4}))?"
        "(&mi_([\\da-zA-Z]{2}))?(&col([\\da-zA-Z]{2}))?",
        std::regex::ECMAScript | std::regex::icase | std::regex::optimize);
    return pattern;
}

// Base-16 value of the leading hex digits, as the C library's number parsing does: the pattern
// admits any letter, and "zz" yields 0 rather than an error.
int HexValue(const std::csub_match& capture) {
    if (!capture.matched) return -1;
    int value = 0;
    for (char c : capture.str()) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) break;
        int digit = std::isdigit(static_cast<unsigned char>(c))
                        ? c - '0'
                        : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

bool ParseHidPath(std::string_view path, HidPathInfo& info) {
    info = HidPathInfo{};
    std::cmatch match;
    if (!std::regex_search(path.data(), path.data() + path.size(), match, HidPathPattern())) {
        return false;
    }
    info.vendorId = HexValue(match[1]);
    info.productId = HexValue(match[2]);
    info.revision = HexValue(match[4]);
    info.interfaceNumber = HexValue(match[6]);
    info.collection = HexValue(match[8]);
    return true;
}

bool IsKeyboardPath(std::string_view path) {
    HidPathInfo info;
    return ParseHidPath(path, info) && info.vendorId == kKeyboardVendorId &&
           info.productId == kKeyboardProductId &&
           (info.interfaceNumber == -1 || info.interfaceNumber == kKeyboardInterface) &&
           info.collection == -1;
}

std::string MakeHidInterfacePath(int vendorId, int productId, int interfaceNumber, int collection,
                                 std::string_view instance) {
    char head[64];
    int n = std::snprintf(head, sizeof head, "\\\\?\\hid#vid_%04x&pid_%04x", vendorId & 0xFFFF,
                          productId & 0xFFFF);
    if (interfaceNumber >= 0) {
        n += std::snprintf(head + n, sizeof head - n, "&mi_%02x", interfaceNumber & 0xFF);
    }
    if (collection >= 0) {
        std::snprintf(head + n, sizeof head - n, "&col%02x", collection & 0xFF);
    }
    std::string path(head);
    path += '#';
    path += instance;
    path += "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    return path;
}

std::string_view HidPathInstance(std::string_view path) {
    std::size_t first = path.find('#');
    if (first == std::string_view::npos) return {};
    std::size_t second = path.find('#', first + 1);
    if (second == std::string_view::npos) return {};
    std::size_t third = path.find('#', second + 1);
    if (third == std::string_view::npos) return {};
    return path.substr(second + 1, third - second - 1);
}

#include "records/SystemText.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void AppendUtf8(std::string& out, char32_t c) {
    if (!IsScalar(c)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one sequence at text[pos], advancing pos. A stray or cut-off byte yields U+FFFD on its
// own; a complete sequence that encodes no valid character yields one U+FFFD.
char32_t DecodeUtf8(std::string_view text, size_t& pos) {
    auto lead = static_cast<uint8_t>(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || pos + static_cast<size_t>(extra) > text.size()) {
        return kReplacement;
    }
    char32_t c = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        auto next = static_cast<uint8_t>(text[pos + static_cast<size_t>(i)]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        c = (c << 6) | (next & 0x3F);
    }
    pos += static_cast<size_t>(extra);
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    return (c < kSmallest[extra] || !IsScalar(c)) ? kReplacement : c;
}

}  // namespace

std::string ToSystemText(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) AppendUtf8(out, static_cast<char32_t>(c));
    return out;
}

std::wstring FromSystemText(std::string_view text) {
    std::wstring out;
    for (size_t pos = 0; pos < text.size();) out += static_cast<wchar_t>(DecodeUtf8(text, pos));
    return out;
}

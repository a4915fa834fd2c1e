#include "records/FixedText.h"

#include <cstring>

namespace wire {
namespace {

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length of the longest prefix of text within limit that does not end inside
// a multibyte sequence.
std::size_t cutLength(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t cut = limit;
    while (cut > 0 && isUtf8Continuation(text[cut])) --cut;
    return cut;
}

}  // namespace

std::string_view fixedTextView(const char* field, std::size_t size) {
    const void* nul = std::memchr(field, '\0', size);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size;
    return {field, length};
}

void setFixedText(char* field, std::size_t size, std::string_view text) {
    if (size == 0) return;
    text = text.substr(0, text.find('\0'));
    const std::size_t length = cutLength(text, size - 1);
    std::memmove(field, text.data(), length);
    std::memset(field + length, 0, size - length);
}

}  // namespace wire

#pragma once

#include <cstddef>
#include <string_view>

namespace wire {

// Narrow texts stored in fixed-size record fields. The text ends at the first
// NUL or at the end of the field, whichever comes first; bytes after the NUL
// carry no meaning.
std::string_view fixedTextView(const char* field, std::size_t size);

// Writes text into the field, NUL-filling the rest. At most size - 1 bytes are
// kept so the field always stays terminated, and a cut never splits a UTF-8
// sequence.
void setFixedText(char* field, std::size_t size, std::string_view text);

// A text field of N bytes inside a wire record.
template <std::size_t N>
struct FixedText {
    char bytes[N] = {};

    std::string_view text() const { return fixedTextView(bytes, N); }
    void set(std::string_view value) { setFixedText(bytes, N, value); }

    // Texts up to their NUL; the bytes after it are not compared.
    friend bool operator==(const FixedText& a, const FixedText& b) { return a.text() == b.text(); }
};

}  // namespace wire

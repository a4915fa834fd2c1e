#pragma once

#include <string>
#include <string_view>

// Conversion between wide text and the system's narrow encoding, which is UTF-8 here.
// Invalid input never fails: it becomes U+FFFD (or is dropped when it cannot be encoded).
std::string ToSystemText(std::wstring_view text);
std::wstring FromSystemText(std::string_view text);

#pragma once

#include <cstdint>
#include <string_view>

namespace persist {

// Numbers in the files are read the way the C library's conversion functions read them on a
// platform with 32-bit long: leading blanks, an optional sign, digits up to the first other
// character, no digits giving 0, and out-of-range values saturating.

// strtol(text, 10) into 32 bits: "4294967295" gives 2147483647, "-9999999999" gives INT32_MIN.
int32_t ReadSignedDecimal(std::string_view text);

// strtoul(text, 10) into 32 bits: "0x20" gives 0, "-1" gives 4294967295, too large gives
// 4294967295.
uint32_t ReadUnsignedDecimal(std::string_view text);

// strtol(text, 16) into 32 bits: an optional 0x or 0X prefix, "1a2c" gives 0x1A2C.
int32_t ReadSignedHexadecimal(std::string_view text);

}  // namespace persist

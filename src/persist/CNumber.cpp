#include "persist/CNumber.h"

#include <limits>

namespace persist {
namespace {

// What the C library sees in a number: its sign and its magnitude, capped just above the
// 32-bit range so that saturation can be decided without overflowing.
struct ScannedNumber {
    bool negative = false;
    uint64_t magnitude = 0;
};

constexpr uint64_t kMagnitudeCap = uint64_t{1} << 33;

bool IsCBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'z') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'Z') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

ScannedNumber Scan(std::string_view text, int base) {
    ScannedNumber number;
    size_t pos = 0;
    while (pos < text.size() && IsCBlank(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    // The prefix counts only when a hex digit follows; "0x" alone reads as the digit 0.
    if (base == 16 && pos + 2 < text.size() && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X') && DigitValue(text[pos + 2], 16) >= 0) {
        pos += 2;
    }
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) {
            break;
        }
        number.magnitude = number.magnitude * base + static_cast<uint64_t>(digit);
        if (number.magnitude > kMagnitudeCap) {
            number.magnitude = kMagnitudeCap;
        }
    }
    return number;
}

int32_t ToSigned(const ScannedNumber& number) {
    constexpr uint64_t kMaxPositive = std::numeric_limits<int32_t>::max();
    if (number.negative) {
        if (number.magnitude > kMaxPositive + 1) {
            return std::numeric_limits<int32_t>::min();
        }
        return static_cast<int32_t>(-static_cast<int64_t>(number.magnitude));
    }
    if (number.magnitude > kMaxPositive) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(number.magnitude);
}

}  // namespace

int32_t ReadSignedDecimal(std::string_view text) {
    return ToSigned(Scan(text, 10));
}

int32_t ReadSignedHexadecimal(std::string_view text) {
    return ToSigned(Scan(text, 16));
}

uint32_t ReadUnsignedDecimal(std::string_view text) {
    const ScannedNumber number = Scan(text, 10);
    if (number.magnitude > std::numeric_limits<uint32_t>::max()) {
        return std::numeric_limits<uint32_t>::max();
    }
    const auto value = static_cast<uint32_t>(number.magnitude);
    return number.negative ? 0u - value : value;
}

}  // namespace persist

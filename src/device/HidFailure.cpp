#include "device/HidFailure.h"

#include <cstring>

std::string HidFailure::Describe() const {
    if (Empty()) return "unknown reason";
    if (error == 0) return text;
    return (text.empty() ? std::string("error") : text) + " (errno " + std::to_string(error) + ")";
}

HidFailure HidFailure::FromErrno(int error) {
    // strerror is not thread-safe; the GNU strerror_r returns the text it chose.
    char buffer[128] = {};
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return {error, text != nullptr ? text : ""};
}

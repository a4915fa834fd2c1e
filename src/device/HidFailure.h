#pragma once

#include <string>

// Why a HID call failed: the system's error number when there is one, and a text for people.
struct HidFailure {
    int error = 0;     // errno; 0 when the library gave only a text
    std::string text;  // strerror's text or the library's message

    bool Empty() const { return error == 0 && text.empty(); }
    // "Permission denied (errno 13)", the library's text alone, or "unknown reason".
    std::string Describe() const;

    static HidFailure FromErrno(int error);

    friend bool operator==(const HidFailure&, const HidFailure&) = default;
};

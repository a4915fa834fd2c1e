#pragma once

#include <cstdint>
#include <string>

// Thrown by value by the checked accessors (current(), item()); catch it by reference.
class ShapeException {
public:
    explicit ShapeException(std::wstring message) : message_(std::move(message)) {}

    const std::wstring& message() const { return message_; }

    // Throws with `format` (two %d) filled with a and b, as a 100-character message.
    [[noreturn]] static void raise(const wchar_t* format, uint32_t a, uint32_t b);

private:
    std::wstring message_;
};

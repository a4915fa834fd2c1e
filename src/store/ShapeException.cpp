#include "store/ShapeException.h"

#include <cwchar>

void ShapeException::raise(const wchar_t* format, uint32_t a, uint32_t b) {
    wchar_t text[100] = {};
    std::swprintf(text, sizeof text / sizeof text[0], format, static_cast<int>(a),
                  static_cast<int>(b));
    throw ShapeException(text);
}

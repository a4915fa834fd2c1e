#include "records/JoinedText.h"

std::string Joined(std::span<const std::string> parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

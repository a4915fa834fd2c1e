#include "persist/CombinationCode.h"

#include <string>

#include "persist/CNumber.h"

namespace persist {
namespace {

std::string WithoutSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != ' ') {
            result.push_back(c);
        }
    }
    return result;
}

KeyPair ParseToken(std::string_view token) {
    const size_t firstColon = token.find(':');
    if (firstColon == std::string_view::npos) {
        return {ReadSignedDecimal(token), 0};
    }
    std::string_view second = token.substr(firstColon + 1);
    second = second.substr(0, second.find(':'));
    return {ReadSignedDecimal(token.substr(0, firstColon)), ReadSignedDecimal(second)};
}

}  // namespace

std::vector<KeyPair> ParseCombinationCode(std::string_view text) {
    const std::string compact = WithoutSpaces(text);
    const std::string_view rest(compact);
    std::vector<KeyPair> pairs;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(',', start);
        if (end == std::string_view::npos) {
            end = rest.size();
        }
        const std::string_view token = rest.substr(start, end - start);
        // A token of colons alone names no key at all.
        if (token.find_first_not_of(':') != std::string_view::npos) {
            pairs.push_back(ParseToken(token));
        }
        start = end + 1;
    }
    return pairs;
}

}  // namespace persist

#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace persist {

using KeyPair = std::pair<int32_t, int32_t>;

// Reads the "code" of a combination entry: spaces removed, comma-separated tokens, each
// "first[:second[:ignored...]]" in signed decimal. Empty tokens and tokens made only of colons
// give no pair.
std::vector<KeyPair> ParseCombinationCode(std::string_view text);

}  // namespace persist

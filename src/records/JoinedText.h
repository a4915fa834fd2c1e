#pragma once
// A list as one line: "a, b, c".
#include <span>
#include <string>
#include <string_view>

std::string Joined(std::span<const std::string> parts, std::string_view separator = ", ");

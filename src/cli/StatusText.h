#pragma once
// `status` and `modes` for people, made from the JSON descriptions scripts read.
#include <nlohmann/json.hpp>
#include <string>

std::string StatusText(const nlohmann::json& status);
std::string ModesText(const nlohmann::json& modes);

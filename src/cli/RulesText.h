#pragma once
// What `rules list` prints for people, made from the report scripts get (RulesReport).
#include <nlohmann/json.hpp>
#include <string>

std::string RulesText(const nlohmann::json& report);

#pragma once
// Lookups both ways in a table of (name, value) pairs, the way the program names its choices.
#include <optional>
#include <string_view>

namespace named {

template <class Table>
auto ValueOf(const Table& table, std::string_view name)
    -> std::optional<typename Table::value_type::second_type> {
    for (const auto& [text, value] : table)
        if (text == name) return value;
    return std::nullopt;
}

// Empty when the value has no name.
template <class Table, class Value>
std::string_view NameOf(const Table& table, Value wanted) {
    for (const auto& [text, value] : table)
        if (value == wanted) return text;
    return {};
}

}  // namespace named

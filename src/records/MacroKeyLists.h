#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One entry of the function key list offered by the macro editor.
struct MacroFuncKey {
    std::wstring name;
    std::uint32_t code = 0;  // the editor sends its low 16 bits
    std::wstring path;
    std::wstring argm;

    friend bool operator==(const MacroFuncKey&, const MacroFuncKey&) = default;
};

// One entry of the combination key list: the keys in the order they are
// pressed. The low byte of `first` is the key's code.
struct MacroCombKey {
    std::wstring name;
    std::vector<std::pair<std::int32_t, std::int32_t>> keys;

    friend bool operator==(const MacroCombKey&, const MacroCombKey&) = default;
};

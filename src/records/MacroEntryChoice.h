#pragma once

#include <cstdint>

// Which entry of the macro editor a key was given when entries of two pages (a key and a
// function) or two functions send the same code: the key's code alone cannot tell them apart.
struct MacroEntryChoice {
    std::int32_t key = -1;   // the key's index in the keyboard's tables
    std::int32_t page = 0;   // the editor's page: 1 a single key, 2 a function key
    std::int32_t entry = 0;  // the single key's code, or the function's position in its list

    friend bool operator==(const MacroEntryChoice&, const MacroEntryChoice&) = default;
};

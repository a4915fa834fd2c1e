#pragma once

#include <string_view>

// The key code (set-1 scan code, plus 0x100 for an extended key) of the first
// key table entry with that name; -1 when the table has no such name.
int KeyCodeOf(std::wstring_view name);

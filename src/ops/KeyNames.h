#pragma once
// Key names as the key table spells them or by their aliases, matched without regard to case.
#include <string>
#include <string_view>

struct KeyTableEntry;

namespace keynames {

// Whether two names are the same key name, ignoring case.
bool Same(std::wstring_view a, std::wstring_view b);

// The command line's (UTF-8) text as a key name.
std::wstring FromText(std::string_view text);
std::string ToText(std::wstring_view name);

// The key-table entry of that name or alias, or null.
const KeyTableEntry* Find(std::string_view text);

// "unknown key "Capz"; did you mean Caps?": the refusal of a name no key has, with the
// closest names when some are close.
std::string Unknown(std::string_view text);

}  // namespace keynames

#pragma once
// The other names a key goes by: the short forms printed on the key pictures, common spellings
// and the names earlier versions wrote into backups. The key table's name stays the key's own
// name, the one files are written with.
#include <span>
#include <string_view>

struct KeyTableEntry;

struct KeyAlias {
    std::wstring_view alias;
    std::wstring_view name;  // the key table's name
};

std::span<const KeyAlias> KeyAliases();

// Whether two key names are the same, ignoring case.
bool SameKeyName(std::wstring_view a, std::wstring_view b);

// The key table's name for a name or alias, ignoring case; empty when none.
std::wstring_view KeyTableName(std::wstring_view name);

// The first key-table entry with that name or alias, ignoring case, or null.
const KeyTableEntry* FindKeyByName(std::wstring_view name);

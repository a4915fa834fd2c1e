#include "KeyCode.h"

#include "records/KeyTable.h"

int KeyCodeOf(std::wstring_view name) {
    for (const KeyTableEntry& entry : KeyTableEntries())
        if (entry.name == name) return entry.code();
    return -1;
}

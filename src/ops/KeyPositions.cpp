#include "ops/KeyPositions.h"

#include <pugixml.hpp>

#include "ops/KeyNames.h"
#include "records/KeyAliases.h"

namespace fs = std::filesystem;

KeyPositions KeyPositions::Read(const fs::path& file) {
    pugi::xml_document document;
    if (!document.load_file(file.c_str())) return {};
    std::vector<KeyPosition> keys;
    int order = 0;
    for (const pugi::xml_node key : document.child("positions").children()) {
        if (key.type() != pugi::node_element) continue;
        keys.push_back({keynames::FromText(key.attribute("name").as_string()), order,
                        key.attribute("index").as_int(-1)});
        ++order;
    }
    return KeyPositions(std::move(keys));
}

fs::path KeyPositions::ColourKeysFile(const fs::path& uiFolder) {
    return uiFolder / "coords" / "keys_led.xml";
}

fs::path KeyPositions::AssignKeysFile(const fs::path& uiFolder) {
    return uiFolder / "coords" / "keys_macro.xml";
}

std::vector<KeyPosition> KeyPositions::Find(std::string_view name) const {
    // An alias stands for the key table's name; a name the table lacks still finds its key.
    const std::wstring typed = keynames::FromText(name);
    const std::wstring_view own = KeyTableName(typed);
    const std::wstring_view wanted = own.empty() ? std::wstring_view(typed) : own;
    std::vector<KeyPosition> found;
    for (const KeyPosition& key : keys_)
        if (!wanted.empty() && keynames::Same(key.name, wanted)) found.push_back(key);
    return found;
}

const KeyPosition* KeyPositions::ByIndex(int index) const {
    for (const KeyPosition& key : keys_)
        if (key.index == index) return &key;
    return nullptr;
}

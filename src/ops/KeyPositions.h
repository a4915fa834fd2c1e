#pragma once
// Where each key sits in the keyboard's tables, read from a key picture's coordinates file:
// the n-th key of the file is entry n of the key colours; its "index" is its entry in the key
// codes. Names are those of the key table; Find also takes their aliases.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct KeyPosition {
    std::wstring name;
    int order = 0;  // position in the file: the key colour entry
    int index = 0;  // the key code entry
};

class KeyPositions {
public:
    KeyPositions() = default;
    explicit KeyPositions(std::vector<KeyPosition> keys) : keys_(std::move(keys)) {}

    // The keys of a coordinates file; none when it cannot be read.
    static KeyPositions Read(const std::filesystem::path& file);
    // The coordinates files of the program's UI folder.
    static std::filesystem::path ColourKeysFile(const std::filesystem::path& uiFolder);
    static std::filesystem::path AssignKeysFile(const std::filesystem::path& uiFolder);

    // Every key of that name (some keyboards have a name twice), in file order.
    std::vector<KeyPosition> Find(std::string_view name) const;
    // The key whose code entry this is, or null.
    const KeyPosition* ByIndex(int index) const;

    bool empty() const { return keys_.empty(); }
    const std::vector<KeyPosition>& keys() const { return keys_; }

private:
    std::vector<KeyPosition> keys_;
};

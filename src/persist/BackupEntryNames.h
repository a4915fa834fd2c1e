#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "persist/BackupJson.h"

namespace persist {

// Labels the entries of one table in a backup: by name when the name is unique among them,
// otherwise (no name, a doubled name) as "<word> N" with N counted from 0.
class BackupEntryNames {
public:
    // NOUN says what a name names ("key", "mode") in refusals.
    BackupEntryNames(std::vector<std::string> names, std::string word, std::string noun);

    std::size_t size() const { return names_.size(); }
    std::string Label(std::size_t index) const;
    // The entry LABEL stands for; throws backup_json::BackupRefusal at PATH when none.
    std::size_t Find(const std::string& label, const std::string& path) const;

    // Calls READ with the entry, value and place of each member of the object at PATH; two
    // labels for one entry are refused.
    using EntryReader =
        std::function<void(std::size_t, const backup_json::Json&, const std::string&)>;
    void ReadEach(const backup_json::Json& object, const std::string& path,
                  const EntryReader& read) const;

private:
    std::string word_;
    std::string noun_;
    std::vector<std::string> names_;
    std::map<std::string, std::size_t> unique_;
};

}  // namespace persist

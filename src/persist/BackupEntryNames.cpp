#include "persist/BackupEntryNames.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace persist {
namespace {

// A name that reads like a numbered label would be taken for one.
bool IsUsable(const std::string& name, const std::string& word) {
    return !name.empty() && name.rfind(word + " ", 0) != 0 && backup_json::IsUtf8(name);
}

}  // namespace

BackupEntryNames::BackupEntryNames(std::vector<std::string> names, std::string word,
                                   std::string noun)
    : word_(std::move(word)), noun_(std::move(noun)), names_(std::move(names)) {
    std::map<std::string, std::size_t> seen;
    for (const std::string& name : names_) {
        if (IsUsable(name, word_)) ++seen[name];
    }
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const auto it = seen.find(names_[i]);
        if (it != seen.end() && it->second == 1) unique_.emplace(names_[i], i);
    }
}

std::string BackupEntryNames::Label(std::size_t index) const {
    if (index < names_.size() && unique_.count(names_[index]) != 0) return names_[index];
    return word_ + " " + std::to_string(index);
}

std::size_t BackupEntryNames::Find(const std::string& label, const std::string& path) const {
    const auto named = unique_.find(label);
    if (named != unique_.end()) return named->second;
    const std::string prefix = word_ + " ";
    if (label.rfind(prefix, 0) != 0) {
        throw backup_json::BackupRefusal{{path, "no " + noun_ + " is named \"" + label + "\""}};
    }
    const std::string digits = label.substr(prefix.size());
    const bool plain =
        !digits.empty() && digits.size() <= 9 && (digits == "0" || digits[0] != '0') &&
        std::all_of(digits.begin(), digits.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    const std::size_t index = plain ? std::stoul(digits) : names_.size();
    if (index >= names_.size()) {
        throw backup_json::BackupRefusal{
            {path, "\"" + label + "\" is not a " + word_ + " number 0.." +
                       std::to_string(static_cast<long long>(names_.size()) - 1)}};
    }
    return index;
}

void BackupEntryNames::ReadEach(const backup_json::Json& object, const std::string& path,
                                const EntryReader& read) const {
    backup_json::Object(object, path);
    std::set<std::size_t> given;
    for (const auto& member : object.items()) {
        const std::string place = path + "/" + backup_json::PointerPart(member.key());
        const std::size_t entry = Find(member.key(), place);
        if (!given.insert(entry).second) {
            throw backup_json::BackupRefusal{
                {place, "names " + word_ + " " + std::to_string(entry) + " a second time"}};
        }
        read(entry, member.value(), place);
    }
}

}  // namespace persist

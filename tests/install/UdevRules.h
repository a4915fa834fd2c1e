#pragma once
// A small evaluator of udev rules files: enough of udev's matching to tell which devices a
// rules file tags, with the same-device rule for the keys that search the parents.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace udevrules {

// One device of a device chain: the event device first, then its parents.
struct Device {
    std::string subsystem;
    std::string kernel;
    std::map<std::string, std::string> attributes;
};

struct Key {
    std::string name;       // "SUBSYSTEM", "ATTRS", "TAG", ...
    std::string attribute;  // the part in braces, if any
    std::string op;         // "==", "!=", "=", "+="
    std::string value;
};

struct Rule {
    int line = 0;
    std::vector<Key> keys;
};

struct RulesFile {
    std::vector<Rule> rules;
    std::vector<std::string> errors;  // syntax and unknown keys, with their line numbers
};

RulesFile Parse(const std::string& text);
RulesFile Load(const std::filesystem::path& file);

struct Outcome {
    std::set<std::string> tags;
    std::vector<std::string> errors;  // e.g. a jump to a label that does not follow
};

// Runs the rules for an "add" event of chain.front().
Outcome Evaluate(const RulesFile& file, const std::vector<Device>& chain);

}  // namespace udevrules

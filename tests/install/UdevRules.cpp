#include "UdevRules.h"

#include <fnmatch.h>

#include <cctype>
#include <fstream>
#include <sstream>

namespace udevrules {
namespace {

const std::set<std::string> kDeviceKeys = {"ACTION", "SUBSYSTEM", "KERNEL", "ATTR"};
const std::set<std::string> kParentKeys = {"SUBSYSTEMS", "KERNELS", "ATTRS"};
const std::set<std::string> kAssignKeys = {"TAG", "GOTO", "LABEL"};

bool IsMatchOp(const std::string& op) {
    return op == "==" || op == "!=";
}

// Reads KEY[{attribute}] OP "value" at pos; false with a message on a syntax fault.
bool ReadKey(const std::string& line, size_t& pos, Key& key, std::string& error) {
    size_t start = pos;
    while (pos < line.size() &&
           (std::isupper(static_cast<unsigned char>(line[pos])) || line[pos] == '_')) {
        ++pos;
    }
    key.name = line.substr(start, pos - start);
    if (key.name.empty()) {
        error = "expected a key at column " + std::to_string(start + 1);
        return false;
    }
    if (pos < line.size() && line[pos] == '{') {
        const size_t close = line.find('}', pos);
        if (close == std::string::npos) {
            error = "unclosed brace";
            return false;
        }
        key.attribute = line.substr(pos + 1, close - pos - 1);
        pos = close + 1;
    }
    while (pos < line.size() && line[pos] == ' ') ++pos;
    for (const char* op : {"==", "!=", "+=", "-=", ":=", "="}) {
        if (line.compare(pos, std::char_traits<char>::length(op), op) == 0) {
            key.op = op;
            break;
        }
    }
    if (key.op.empty()) {
        error = "expected an operator after " + key.name;
        return false;
    }
    pos += key.op.size();
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size() || line[pos] != '"') {
        error = "value of " + key.name + " is not quoted";
        return false;
    }
    const size_t close = line.find('"', pos + 1);
    if (close == std::string::npos) {
        error = "unclosed quote";
        return false;
    }
    key.value = line.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    return true;
}

std::string CheckKey(const Key& key) {
    const bool device = kDeviceKeys.count(key.name) > 0;
    const bool parent = kParentKeys.count(key.name) > 0;
    if (device || parent) {
        if (!IsMatchOp(key.op)) return key.name + " is a match key but uses " + key.op;
        const bool takesAttribute = key.name == "ATTR" || key.name == "ATTRS";
        if (takesAttribute == key.attribute.empty()) return key.name + " attribute misused";
        return {};
    }
    if (kAssignKeys.count(key.name) > 0) {
        if (IsMatchOp(key.op)) return key.name + " is assigned but uses " + key.op;
        return {};
    }
    return "unknown key " + key.name;
}

// udev patterns: shell globs, alternatives separated by '|'.
bool PatternMatches(const std::string& pattern, const std::string& value) {
    std::stringstream alternatives(pattern);
    std::string alternative;
    while (std::getline(alternatives, alternative, '|')) {
        if (fnmatch(alternative.c_str(), value.c_str(), 0) == 0) return true;
    }
    return false;
}

// A missing attribute never equals a value, so it satisfies "!=".
bool KeyMatches(const Key& key, const std::string* actual) {
    const bool equal = actual && PatternMatches(key.value, *actual);
    return key.op == "==" ? equal : !equal;
}

const std::string* Property(const Key& key, const Device& device) {
    static const std::string kAdd = "add";
    if (key.name == "ACTION") return &kAdd;
    if (key.name == "SUBSYSTEM" || key.name == "SUBSYSTEMS") return &device.subsystem;
    if (key.name == "KERNEL" || key.name == "KERNELS") return &device.kernel;
    const auto found = device.attributes.find(key.attribute);
    return found == device.attributes.end() ? nullptr : &found->second;
}

// udev checks all parent keys of one rule against one device at a time.
bool ParentKeysMatch(const std::vector<const Key*>& keys, const std::vector<Device>& chain) {
    if (keys.empty()) return true;
    for (const Device& device : chain) {
        bool all = true;
        for (const Key* key : keys) all = all && KeyMatches(*key, Property(*key, device));
        if (all) return true;
    }
    return false;
}

bool RuleMatches(const Rule& rule, const std::vector<Device>& chain) {
    std::vector<const Key*> parentKeys;
    for (const Key& key : rule.keys) {
        if (kParentKeys.count(key.name) > 0) {
            parentKeys.push_back(&key);
        } else if (kDeviceKeys.count(key.name) > 0 &&
                   !KeyMatches(key, Property(key, chain.front()))) {
            return false;
        }
    }
    return ParentKeysMatch(parentKeys, chain);
}

const Key* FindKey(const Rule& rule, const std::string& name) {
    for (const Key& key : rule.keys) {
        if (key.name == name) return &key;
    }
    return nullptr;
}

}  // namespace

RulesFile Parse(const std::string& text) {
    RulesFile file;
    std::stringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        Rule rule{number, {}};
        size_t pos = first;
        while (pos < line.size()) {
            Key key;
            std::string error;
            if (!ReadKey(line, pos, key, error)) {
                file.errors.push_back("line " + std::to_string(number) + ": " + error);
                break;
            }
            if (const std::string fault = CheckKey(key); !fault.empty()) {
                file.errors.push_back("line " + std::to_string(number) + ": " + fault);
            }
            rule.keys.push_back(key);
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
            if (pos < line.size() && line[pos] == ',') ++pos;
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        }
        file.rules.push_back(std::move(rule));
    }
    return file;
}

RulesFile Load(const std::filesystem::path& file) {
    std::ifstream stream(file);
    if (!stream) return {{}, {"cannot read " + file.string()}};
    std::stringstream text;
    text << stream.rdbuf();
    return Parse(text.str());
}

Outcome Evaluate(const RulesFile& file, const std::vector<Device>& chain) {
    Outcome outcome;
    for (size_t i = 0; i < file.rules.size(); ++i) {
        const Rule& rule = file.rules[i];
        if (FindKey(rule, "LABEL") || !RuleMatches(rule, chain)) continue;
        for (const Key& key : rule.keys) {
            if (key.name != "TAG") continue;
            if (key.op == "=") outcome.tags.clear();
            if (key.op == "-=")
                outcome.tags.erase(key.value);
            else
                outcome.tags.insert(key.value);
        }
        if (const Key* jump = FindKey(rule, "GOTO")) {
            size_t target = i + 1;
            while (target < file.rules.size() &&
                   !(FindKey(file.rules[target], "LABEL") &&
                     FindKey(file.rules[target], "LABEL")->value == jump->value)) {
                ++target;
            }
            if (target == file.rules.size()) {
                outcome.errors.push_back("line " + std::to_string(rule.line) + ": no label " +
                                         jump->value + " follows");
                return outcome;
            }
            i = target;
        }
    }
    return outcome;
}

}  // namespace udevrules

#include "ops/KeyNames.h"

#include <algorithm>
#include <vector>

#include "records/JoinedText.h"
#include "records/KeyAliases.h"
#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace keynames {

namespace {

// Edits (insert, delete, replace) from a to b, ignoring case.
std::size_t Distance(std::wstring_view a, std::wstring_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = SameKeyName(a.substr(i - 1, 1), b.substr(j - 1, 1));
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The names and aliases nearest the text, at most three, when near enough to be a slip.
std::vector<std::string> Closest(std::wstring_view name) {
    // No key name is long; a long text is no slip of the finger.
    if (name.empty() || name.size() > 32) return {};
    std::vector<std::wstring_view> names;
    for (const KeyTableEntry& entry : KeyTableEntries()) names.push_back(entry.name);
    for (const KeyAlias& alias : KeyAliases()) names.push_back(alias.alias);
    const std::size_t allowed = std::max<std::size_t>(1, name.size() / 3);
    std::size_t best = allowed;
    std::vector<std::string> closest;
    for (const std::wstring_view candidate : names) {
        const std::size_t distance = Distance(name, candidate);
        if (distance > best) continue;
        if (distance < best) closest.clear();
        best = distance;
        const std::string text = ToText(candidate);
        if (closest.size() < 3 && std::find(closest.begin(), closest.end(), text) == closest.end())
            closest.push_back(text);
    }
    return closest;
}

}  // namespace

bool Same(std::wstring_view a, std::wstring_view b) {
    return SameKeyName(a, b);
}

std::wstring FromText(std::string_view text) {
    return FromSystemText(text);
}

std::string ToText(std::wstring_view name) {
    return ToSystemText(name);
}

const KeyTableEntry* Find(std::string_view text) {
    return FindKeyByName(FromText(text));
}

std::string Unknown(std::string_view text) {
    const std::string refusal = "unknown key \"" + std::string(text) + "\"";
    const std::vector<std::string> closest = Closest(FromText(text));
    return closest.empty() ? refusal : refusal + "; did you mean " + Joined(closest, " or ") + "?";
}

}  // namespace keynames

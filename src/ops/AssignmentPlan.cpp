#include "ops/AssignmentPlan.h"

#include <algorithm>

#include "ops/KeyNames.h"
#include "records/JoinedText.h"
#include "records/KeyTable.h"
#include "records/MacroRequest.h"

namespace {

template <class Entry>
const Entry* ByName(const std::vector<Entry>& entries, const std::string& text) {
    const std::wstring name = keynames::FromText(text);
    for (const Entry& entry : entries)
        if (keynames::Same(entry.name, name)) return &entry;
    return nullptr;
}

const MacroRecordGroup* GroupByName(const std::list<MacroRecordGroup>& groups,
                                    const std::string& text) {
    const std::wstring name = keynames::FromText(text);
    for (const MacroRecordGroup& group : groups)
        if (group.info.count > 0 && keynames::Same(group.info.data()[0].name, name)) return &group;
    return nullptr;
}

std::string NamesOrNone(const std::vector<std::string>& names) {
    const std::string text = Joined(names);
    return text.empty() ? "none" : text;
}

template <class Entry>
std::string Names(const std::vector<Entry>& entries) {
    std::vector<std::string> names;
    for (const Entry& entry : entries) names.push_back(keynames::ToText(entry.name));
    return NamesOrNone(names);
}

std::string GroupNames(const std::list<MacroRecordGroup>& groups) {
    std::vector<std::string> names;
    for (const MacroRecordGroup& group : groups)
        if (group.info.count > 0) names.push_back(keynames::ToText(group.info.data()[0].name));
    return NamesOrNone(names);
}

}  // namespace

std::string DescribeKeys(const std::string& name, const std::vector<KeyPosition>& keys) {
    std::string text = name + " (keys";
    for (const KeyPosition& key : keys) text += " " + std::to_string(key.index);
    return text + ")";
}

AssignmentPlan PlanAssignment(const AssignRequest& assign, const KeyPositions& keys,
                              const AssignmentChoices& choices) {
    AssignmentPlan plan;
    const std::vector<KeyPosition> found = keys.Find(assign.key);
    if (found.empty()) {
        plan.error = "the keyboard has no key \"" + assign.key + "\" to assign";
        return plan;
    }
    // One key at a time: a doubled name could change a key the user did not mean.
    if (found.size() > 1) {
        plan.error = "\"" + assign.key +
                     "\" names more than one key: " + DescribeKeys(assign.key, found) +
                     "; assign is for one key";
        return plan;
    }
    const int index = found.front().index;
    macrokey_pack_t& request = plan.request;
    switch (assign.kind) {
        case AssignKind::Clear:
            macroreq::FillDelete(request, index);
            break;
        case AssignKind::Key: {
            const KeyTableEntry* other = keynames::Find(assign.value);
            if (!other) {
                plan.error = keynames::Unknown(assign.value);
                break;
            }
            macroreq::FillSingleKey(request, other->code(), index);
            break;
        }
        case AssignKind::Function: {
            const MacroFuncKey* entry = ByName(choices.functions, assign.value);
            if (!entry || (entry->code & 0xFFFF) == 0) {
                plan.error = "unknown function \"" + assign.value +
                             "\"; the function keys are: " + Names(choices.functions);
                break;
            }
            macroreq::FillFunctionKey(request, *entry, index);
            break;
        }
        case AssignKind::Combination: {
            const MacroCombKey* entry = ByName(choices.combinations, assign.value);
            if (!entry || entry->keys.empty()) {
                plan.error = "unknown combination \"" + assign.value +
                             "\"; the combinations are: " + Names(choices.combinations);
                break;
            }
            macroreq::FillCombination(request, *entry, index);
            break;
        }
        case AssignKind::Macro: {
            const MacroRecordGroup* group = GroupByName(choices.macros, assign.value);
            if (!group || group->items.count == 0 || group->items.data()[0].empty()) {
                plan.error =
                    "unknown macro \"" + assign.value +
                    "\" (or it has no steps); the macros are: " + GroupNames(choices.macros);
                break;
            }
            const int repeat = std::max(1, group->info.data()[0].repeat);
            macroreq::FillMacro(request, *group, repeat,
                                repeat > 1 ? macroreq::PLAY_REPEAT : macroreq::PLAY_ONCE, index);
            break;
        }
    }
    return plan;
}

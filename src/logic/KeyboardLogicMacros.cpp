// The macro groups beside the macros the keyboard holds. The groups are the user's: the keyboard
// tells which group a slot plays and may bring macros the list lacks, but a read never renames
// or removes a group, and a combination, which the keyboard keeps as a macro, is no group.

#include <set>

#include "logic/KeyboardLogic.h"
#include "logic/MacroBlockCodec.h"
#include "records/MacroRequest.h"
#include "records/SystemText.h"
#include "records/UniqueName.h"

namespace {

constexpr std::size_t kNameBytes = sizeof(macro_block_t::name.bytes) - 1;

// The same steps as the block, compared as the keyboard stores them: steps rebuilt from a block
// lack the names, and the codes of keys the table does not know. The repeat may differ: the
// play mode chosen for a key sets the block's.
bool SameSteps(const MacroRecordGroup& group, const macro_block_t& block) {
    if (group.items.count == 0) return false;
    macro_block_t encoded = EncodeMacroGroup(group);
    encoded.name = block.name;
    encoded.repeat = block.repeat;
    return encoded == block;
}

// The keyboard keeps at most 37 bytes of a name: a group is named so when its name, cut the
// same way, is the block's.
bool NamedAs(const MacroRecordGroup& group, const macro_block_t& block) {
    macro_block_t probe;
    probe.name.set(ToSystemText(group.info.current().name));
    return probe.name == block.name;
}

// A macro the list lacks joins it under a name no group has.
std::wstring FreeName(const std::list<MacroRecordGroup>& groups, const std::wstring& name) {
    return UniqueName(name, kNameBytes, [&groups](const std::wstring& candidate) {
        for (const MacroRecordGroup& group : groups)
            if (group.info.count > 0 && group.info.current().name == candidate) return true;
        return false;
    });
}

}  // namespace

bool KeyboardLogic::IsCombination(const macro_block_t& block) const {
    return macroreq::CombinationOf(block, {combinations_.data(), combinations_.count}) != nullptr;
}

// A macro read takes the place of the group that names its slot (when the names agree: another
// name means the slot was reprogrammed and that group is another macro), else of an unclaimed
// group with the same steps; the group keeps its name and place, and its repeat unless the
// steps differ. A macro no group
// holds is added under a name of its own. Groups left without a slot lose their slot number.
void KeyboardLogic::TakeKeyboardMacros(const std::map<int, macro_block_t>& read) {
    slotMacros_.store(&read, 1, false);
    PublishSlotMacros();
    MacroGroupList* groups = Groups();
    if (!groups) return;
    const MacroGroupList before = *groups;
    std::set<const MacroRecordGroup*> claimed;
    auto find = [&](auto&& fits) -> MacroRecordGroup* {
        for (MacroRecordGroup& group : *groups)
            if (group.info.count > 0 && !claimed.count(&group) && fits(group)) return &group;
        return nullptr;
    };
    for (const auto& [slot, block] : read) {
        if (IsCombination(block)) continue;
        MacroRecordGroup fresh = DecodeMacroBlock(block, slot);
        MacroRecordGroup* home = find([&](const MacroRecordGroup& group) {
            return group.info.current().id == slot &&
                   (NamedAs(group, block) || SameSteps(group, block));
        });
        if (!home)
            home = find([&](const MacroRecordGroup& group) { return SameSteps(group, block); });
        if (home) {
            home->info.current().id = slot;
            if (!SameSteps(*home, block)) {
                home->info.current().repeat = fresh.info.current().repeat;
                home->items = fresh.items;
            }
        } else {
            fresh.info.current().name = FreeName(*groups, fresh.info.current().name);
            groups->push_back(fresh);
            home = &groups->back();
        }
        claimed.insert(home);
    }
    for (MacroRecordGroup& group : *groups)
        if (group.info.count > 0 && !claimed.count(&group)) group.info.current().id = -1;
    // Without a macro on the keyboard only slot numbers were let go of: no key looks them up,
    // and the user's file stays as it was.
    if (!read.empty() && *groups != before) macroGroups_.fireOthers(shapes::kApply, false);
}

void KeyboardLogic::PublishSlotMacros() {
    slotMacros_.fireOthers(shapes::kApply, false);
}

// The group a sent macro was built from: the one that encodes to it, else the one of its name
// and steps, whose repeat the play mode replaced.
MacroRecordGroup* KeyboardLogic::GroupOf(const macro_block_t& sent) {
    MacroGroupList* groups = Groups();
    if (!groups) return nullptr;
    MacroRecordGroup* replayed = nullptr;
    for (MacroRecordGroup& group : *groups) {
        if (group.info.count == 0 || group.items.count == 0) continue;
        macro_block_t encoded = EncodeMacroGroup(group);
        if (encoded == sent) return &group;
        encoded.repeat = sent.repeat;
        if (!replayed && encoded == sent) replayed = &group;
    }
    return replayed;
}

// The slot now holds this macro: the group it was built from carries the slot, so the next
// assignment picks another one. A combination stays out of the groups.
void KeyboardLogic::MarkSlotUsed(int slot, const macro_block_t& sent) {
    if (slotMacros_.count == 0) slotMacros_.store(nullptr, 1, false);
    slotMacros_.current()[slot] = sent;
    PublishSlotMacros();
    MacroGroupList* groups = Groups();
    if (!groups || IsCombination(sent)) return;
    if (MacroRecordGroup* group = GroupOf(sent)) {
        group->info.current().id = slot;
    } else {
        MacroRecordGroup fresh = DecodeMacroBlock(sent, slot);
        fresh.info.current().name = FreeName(*groups, fresh.info.current().name);
        groups->push_back(fresh);
    }
    macroGroups_.fireOthers(shapes::kApply, false);
}

// The macro editor opens on what its key plays, and remembers which entry a key was given where
// the key's code alone cannot tell.
#include <algorithm>
#include <vector>

#include "records/KeyTable.h"
#include "records/MacroRequest.h"
#include "screens/MacroRecordDlg.h"

namespace {

// The single key and the function keys that send `value`, in the order of the pages.
std::vector<MacroEntryChoice> EntriesSending(std::uint16_t value, int keyIndex,
                                             const shapes::FuncKeys& funcKeys) {
    std::vector<MacroEntryChoice> entries;
    if (const KeyTableEntry& key = FindKeyByUsage(value); !key.isEmpty())
        entries.push_back({keyIndex, 1, static_cast<std::int32_t>(key.code())});
    for (uint32_t i = 0; i < funcKeys.count; ++i)
        if ((funcKeys.data()[i].code & macro_code_t::VALUE_MASK) == value)
            entries.push_back({keyIndex, 2, static_cast<std::int32_t>(i)});
    return entries;
}

}  // namespace

void MacroRecordDlg::ShowWhatTheKeyPlays() {
    unshown_.reset();
    if (key_.index < 0 || static_cast<uint32_t>(key_.index) >= keyCodes_.count || !params_.count)
        return;
    const macro_code_t code = keyCodes_.data()[key_.index];
    if (!code.hasAssignment()) return;
    // Until the user changes something, OK must leave what the editor could not show alone.
    unshown_ = Param();
    MacroRecordParam& p = Param();
    if (code.playsMacro()) {
        // A combination, which the keyboard keeps as a macro of its own, or a group's macro.
        const MacroCombKey* combination = nullptr;
        if (slotMacros_.count) {
            const auto& onBoard = slotMacros_.data()[0];
            if (const auto block = onBoard.find(code.value()); block != onBoard.end())
                combination =
                    macroreq::CombinationOf(block->second, {combKeys_.data(), combKeys_.count});
        }
        if (combination) {
            p.page = 3;
            p.cmbsel = static_cast<int>(combination - combKeys_.data());
        } else {
            if (!groups_.count) return;
            int row = 0;
            const MacroRecordGroup* group = nullptr;
            for (const MacroRecordGroup& g : groups_.data()[0]) {
                if (g.info.count && g.info.data()[0].id == code.value()) {
                    group = &g;
                    break;
                }
                ++row;
            }
            if (!group) return;
            // The selected group is the user's own choice; a combination leaves it alone.
            p.page = 0;
            p.gpsel = row;
        }
    } else {
        // A direct code is a key's usage or a function key's code, and may be several of them:
        // the one the user gave this key, else the first.
        const std::vector<MacroEntryChoice> entries =
            EntriesSending(code.value(), key_.index, funcKeys_);
        if (entries.empty()) return;
        MacroEntryChoice shown = entries.front();
        if (choices_.count)
            for (const MacroEntryChoice& chosen : choices_.current())
                if (std::find(entries.begin(), entries.end(), chosen) != entries.end())
                    shown = chosen;
        p.page = shown.page;
        (shown.page == 1 ? p.singlekey : p.funcsel) = shown.entry;
    }
    unshown_.reset();
    params_.fireAll(shapes::kApply, false);
}

void MacroRecordDlg::RememberEntry(int page, int entry) {
    if (!choices_.count || key_.index < 0) return;
    std::vector<MacroEntryChoice>& choices = choices_.current();
    const MacroEntryChoice choice{key_.index, page, entry};
    const auto known = std::find_if(choices.begin(), choices.end(),
                                    [&](const MacroEntryChoice& c) { return c.key == key_.index; });
    if (known != choices.end() && *known == choice) return;
    if (known != choices.end())
        *known = choice;
    else
        choices.push_back(choice);
    choices_.fireOthers(shapes::kApply, false);
}

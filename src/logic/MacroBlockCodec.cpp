#include "logic/MacroBlockCodec.h"

#include <string>

#include "records/KeyTable.h"
#include "records/SystemText.h"

macro_block_t EncodeMacroGroup(const MacroRecordGroup& group) {
    macro_block_t block;
    const MacroRecordGpInfo& info = group.info.current();
    const auto& items = group.items.current();
    block.name.set(ToSystemText(info.name));
    block.repeat = static_cast<std::uint8_t>(info.repeat);
    for (const MacroRecordGpItem& item : items) {
        auto usage =
            static_cast<std::uint8_t>(FindKeyByCode(static_cast<std::uint32_t>(item.code)).usage);
        if (!block.append(macro_step_t::make(usage, static_cast<unsigned>(item.delay),
                                             static_cast<unsigned>(item.state)))) {
            break;
        }
    }
    // The count says how many steps the group has, even past the ones a block can hold.
    block.count = static_cast<std::uint8_t>(items.size());
    return block;
}

MacroRecordGroup DecodeMacroBlock(const macro_block_t& block, int slot) {
    MacroRecordGroup group;
    MacroRecordGpInfo& info = group.info.current();
    info.id = slot;
    info.repeat = block.repeat;
    info.name = FromSystemText(block.name.text());
    auto& items = group.items.current();
    for (std::size_t i = 0; i < block.stepCount(); ++i) {
        const macro_step_t& step = block.steps[i];
        const KeyTableEntry& key = FindKeyByUsage(step.key);
        items.push_back(
            MacroRecordGpItem{key.code(), step.state(), step.delay(), std::wstring(key.name)});
    }
    return group;
}

#include "records/MacroRequest.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <string>

#include "records/KeyTable.h"

namespace macroreq {

namespace {

constexpr std::size_t kNameBytes = sizeof(macro_block_t::name.bytes);

void SetHead(macrokey_pack_t& request, std::uint16_t type, int keyIndex, std::uint16_t code) {
    request.setType(type);
    request.setKey(static_cast<std::uint16_t>(keyIndex));
    request.setCode(code);
}

std::uint8_t UsageOf(int code) {
    return static_cast<std::uint8_t>(FindKeyByCode(static_cast<std::uint32_t>(code)).usage);
}

}  // namespace

void SetMacroName(macro_block_t& block, std::wstring_view name) {
    std::memset(block.name.bytes, 0, kNameBytes);
    std::mbstate_t state{};
    std::size_t used = 0;
    char bytes[MB_LEN_MAX];
    for (wchar_t c : name) {
        std::size_t n = std::wcrtomb(bytes, c, &state);
        if (n == static_cast<std::size_t>(-1)) {
            // Not representable in the user's code page.
            state = std::mbstate_t{};
            bytes[0] = '?';
            n = 1;
        }
        if (used + n > kNameBytes - 1) break;
        std::memcpy(block.name.bytes + used, bytes, n);
        used += n;
    }
}

void FillMacro(macrokey_pack_t& request, const MacroRecordGroup& group, int repeat, int playMode,
               int keyIndex) {
    macro_block_t& block = request.macro;
    std::uint16_t type = TYPE_MACRO;
    if (playMode == PLAY_ONCE) {
        repeat = 1;
    } else if (playMode != PLAY_REPEAT) {
        repeat = 0;
        type = static_cast<std::uint16_t>(playMode + 2);
    }
    block.repeat = static_cast<std::uint8_t>(repeat);
    block.count = 0;
    if (group.items.count) {
        for (const MacroRecordGpItem& item : group.items.data()[0]) {
            const unsigned delay = static_cast<unsigned>(std::max(item.delay, 0));
            if (!block.append(macro_step_t::make(UsageOf(item.code), delay,
                                                 static_cast<unsigned>(item.state))))
                break;
        }
    }
    SetMacroName(block, group.info.count ? group.info.data()[0].name : std::wstring());
    SetHead(request, type, keyIndex, 0);
}

void FillSingleKey(macrokey_pack_t& request, int singleKeyCode, int keyIndex) {
    SetHead(request, TYPE_DIRECT, keyIndex, UsageOf(singleKeyCode));
}

void FillFunctionKey(macrokey_pack_t& request, const MacroFuncKey& entry, int keyIndex) {
    SetHead(request, TYPE_DIRECT, keyIndex, static_cast<std::uint16_t>(entry.code & 0xFFFF));
}

void FillCombination(macrokey_pack_t& request, const MacroCombKey& entry, int keyIndex) {
    macro_block_t& block = request.macro;
    block.repeat = 1;
    block.count = 0;
    auto append = [&block](int code, unsigned state) {
        block.append(
            macro_step_t::make(static_cast<std::uint8_t>(code & 0xFF), COMBINATION_DELAY, state));
    };
    // The same states as a recorded macro, so nothing is released before it was pressed.
    for (const auto& key : entry.keys) append(key.first, macro_step_t::KEY_DOWN);
    for (auto key = entry.keys.rbegin(); key != entry.keys.rend(); ++key)
        append(key->first, macro_step_t::KEY_UP);
    SetMacroName(block, entry.name);
    SetHead(request, TYPE_MACRO, keyIndex, 0);
}

void FillDelete(macrokey_pack_t& request, int keyIndex) {
    SetHead(request, TYPE_DELETE, keyIndex, 0);
}

const MacroCombKey* CombinationOf(const macro_block_t& block,
                                  std::span<const MacroCombKey> combinations) {
    for (const MacroCombKey& entry : combinations) {
        if (entry.keys.empty()) continue;
        macrokey_pack_t request;
        FillCombination(request, entry, 0);
        if (request.macro == block) return &entry;
    }
    return nullptr;
}

}  // namespace macroreq

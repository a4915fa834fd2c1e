#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "records/AppRecords.h"
#include "records/DeviceRecords.h"

// Fillers of the key-assignment request, one per page of the macro editor.
// Fields a filler does not name keep what the request held.
namespace macroreq {

constexpr std::uint16_t TYPE_DELETE = 0;
constexpr std::uint16_t TYPE_DIRECT = 2;
constexpr std::uint16_t TYPE_MACRO = 3;
constexpr std::uint8_t COMBINATION_DELAY = 100;
// Play modes of the editor: once, N times, while held, toggled.
constexpr int PLAY_ONCE = 0;
constexpr int PLAY_REPEAT = 1;

// Converts with the multibyte conversion of the user's locale and keeps as
// many whole characters as fit in 37 bytes; the rest of the field is zeroed.
void SetMacroName(macro_block_t& block, std::wstring_view name);

// A recorded group: play mode 0 plays once, 1 repeats `repeat` times, higher
// modes are passed on as type mode + 2 with repeat 0.
void FillMacro(macrokey_pack_t& request, const MacroRecordGroup& group, int repeat, int playMode,
               int keyIndex);
void FillSingleKey(macrokey_pack_t& request, int singleKeyCode, int keyIndex);
void FillFunctionKey(macrokey_pack_t& request, const MacroFuncKey& entry, int keyIndex);
// Presses the keys in order, then releases them in reverse order.
void FillCombination(macrokey_pack_t& request, const MacroCombKey& entry, int keyIndex);
void FillDelete(macrokey_pack_t& request, int keyIndex);

// The entry whose request `block` is, or null: the keyboard keeps a combination as a macro of
// the entry's name, which is none of the user's groups.
const MacroCombKey* CombinationOf(const macro_block_t& block,
                                  std::span<const MacroCombKey> combinations);

}  // namespace macroreq

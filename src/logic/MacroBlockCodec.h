#pragma once

#include "records/AppRecords.h"
#include "records/DeviceRecords.h"

// The macro block a group becomes when it is downloaded to a slot: the name in the system's
// narrow encoding (at most 37 bytes), repeat and step count cut to 8 bits, at most 109 steps
// with each key's HID usage.
macro_block_t EncodeMacroGroup(const MacroRecordGroup& group);

// The group rebuilt from a block read from (or sent to) a slot: the slot as its id, the block's
// repeat and name, and for every stored step the key code and name the key table gives for the
// step's usage.
MacroRecordGroup DecodeMacroBlock(const macro_block_t& block, int slot);

#pragma once

// The records that mirror the keyboard's on-board state. Each one's memory
// layout is its wire layout: it is copied byte for byte into and out of the
// data area of a feature report. Multi-byte fields are little-endian.

#include "records/KeyboardInfo.h"
#include "records/MacroBlock.h"
#include "records/MacroCode.h"
#include "records/MacroKeyPack.h"
#include "records/MacroStep.h"
#include "records/ModeAttr.h"
#include "records/ProfileAttr.h"
#include "records/RegMode.h"
#include "records/Rgba.h"

#pragma once

// The records the program keeps for itself: settings-file entries, the macro
// editor's settings and macro groups, and the keys of the keyboard picture.

#include "records/CoordButtonInfo.h"
#include "records/MacroEntryChoice.h"
#include "records/MacroKeyLists.h"
#include "records/MacroRecordGroup.h"
#include "records/MacroRecordParam.h"
#include "records/MacroRecordSteps.h"
#include "records/UsbInfo.h"

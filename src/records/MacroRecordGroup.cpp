#include "records/MacroRecordGroup.h"

MacroRecordGroup::MacroRecordGroup() : info(nullptr, nullptr) {}

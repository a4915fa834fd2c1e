#include "records/MacroRecordGroup.h"

namespace {

const MacroRecordGpInfo kZeroInfo{0, 0, {}};

}  // namespace

MacroRecordGroup::MacroRecordGroup() : info(nullptr, &kZeroInfo) {}

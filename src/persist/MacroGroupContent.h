#pragma once
// A macro group as the shapes hold it and as the files hold it.
#include "persist/MacroDocument.h"
#include "records/AppRecords.h"

namespace persist {

MacroRecordGroup ToGroup(MacroGroupContent content);
// A group without a heading or steps becomes an empty heading (id 0, repeat 0) or no steps.
MacroGroupContent ToContent(const MacroRecordGroup& group);
std::vector<MacroGroupContent> ToContents(const std::list<MacroRecordGroup>& groups);

}  // namespace persist

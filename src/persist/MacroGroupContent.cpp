#include "persist/MacroGroupContent.h"

namespace persist {

MacroRecordGroup ToGroup(MacroGroupContent content) {
    MacroRecordGroup group;
    group.info.store(&content.info, 1, false);
    group.info.selection.index = 0;
    group.items.store(&content.items, 1, false);
    group.items.selection.index = 0;
    return group;
}

MacroGroupContent ToContent(const MacroRecordGroup& group) {
    MacroGroupContent content{MacroRecordGpInfo{0, 0, L""}, {}};
    if (group.info.index() < group.info.count) content.info = group.info.current();
    if (group.items.index() < group.items.count) content.items = group.items.current();
    return content;
}

std::vector<MacroGroupContent> ToContents(const std::list<MacroRecordGroup>& groups) {
    std::vector<MacroGroupContent> contents;
    for (const MacroRecordGroup& group : groups) contents.push_back(ToContent(group));
    return contents;
}

}  // namespace persist

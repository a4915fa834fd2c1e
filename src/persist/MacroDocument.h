#pragma once

#include <list>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "records/MacroEntryChoice.h"
#include "records/MacroRecordParam.h"
#include "records/MacroRecordSteps.h"

namespace persist {

// One macro group as "macro.xml" holds it.
struct MacroGroupContent {
    MacroRecordGpInfo info;
    std::list<MacroRecordGpItem> items;
};

// What "macro.xml" holds, read from a parsed document.
struct MacroContent {
    MacroRecordParam settings;
    std::vector<MacroGroupContent> groups;
    // One per key at most, each for a key of the keyboard's tables.
    std::vector<MacroEntryChoice> choices;
};

MacroContent ReadMacroDocument(const pugi::xml_document& document);
// "macro.xml" as the program uses it: the groups brought within the limits every macro file
// shares (persist/MacroLimits.h).
MacroContent ReadMacroDocumentWithinLimits(const pugi::xml_document& document);

// Builds the text of "macro.xml": the settings first, then the groups in order, then the
// entries chosen for keys.
class MacroDocumentWriter {
public:
    explicit MacroDocumentWriter(const MacroRecordParam& settings);

    void AddGroup(const MacroRecordGpInfo& info, const std::list<MacroRecordGpItem>& items);
    void AddChoice(const MacroEntryChoice& choice);

    // UTF-8 without a byte-order mark, with the XML declaration, one element per line and one
    // tab of indentation per level.
    std::string Text() const;

private:
    pugi::xml_document document_;
    pugi::xml_node record_;
};

}  // namespace persist

// Reads arbitrary bytes as "macro.xml"; whatever is read must write back and read again to the
// same values once the step numbers are in their saved form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "persist/MacroDocument.h"
#include "persist/XmlLookup.h"

namespace {

std::string Write(const persist::MacroContent& content) {
    persist::MacroDocumentWriter writer(content.settings);
    for (const persist::MacroGroupContent& group : content.groups) {
        writer.AddGroup(group.info, group.items);
    }
    return writer.Text();
}

persist::MacroContent ReadBack(const std::string& text) {
    pugi::xml_document document;
    if (!persist::LoadDocument(document, text.data(), text.size())) {
        __builtin_trap();  // a file this program wrote must load again
    }
    return persist::ReadMacroDocument(document);
}

bool SameContent(const persist::MacroContent& a, const persist::MacroContent& b) {
    if (!(a.settings == b.settings) || a.groups.size() != b.groups.size()) {
        return false;
    }
    for (size_t i = 0; i < a.groups.size(); ++i) {
        if (!(a.groups[i].info == b.groups[i].info) || a.groups[i].items != b.groups[i].items) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pugi::xml_document document;
    if (!persist::LoadDocument(document, data, size)) {
        return 0;
    }
    const persist::MacroContent first = persist::ReadMacroDocument(document);
    // Negative step values come back saturated from the first save; after that, saving is
    // stable.
    const persist::MacroContent saved = ReadBack(Write(first));
    const persist::MacroContent again = ReadBack(Write(saved));
    if (!SameContent(saved, again)) {
        __builtin_trap();
    }
    return 0;
}

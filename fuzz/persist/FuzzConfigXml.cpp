// Reads arbitrary bytes as "config.xml".
#include <cstddef>
#include <cstdint>

#include "persist/ConfigDocument.h"
#include "persist/XmlLookup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pugi::xml_document document;
    if (persist::LoadDocument(document, data, size)) {
        const persist::ConfigContent content = persist::ReadConfigDocument(document);
        // Every entry read is a complete value that can be copied and compared.
        for (const MacroCombKey& key : content.combKeys) {
            MacroCombKey copy = key;
            if (!(copy == key)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}

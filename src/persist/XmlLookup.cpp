#include "persist/XmlLookup.h"

#include <filesystem>

namespace persist {
namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameNameIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (LowerAscii(*a) != LowerAscii(*b)) {
            return false;
        }
    }
    return *a == *b;
}

pugi::xml_node FindElement(pugi::xml_node parent, const char* name) {
    for (pugi::xml_node child : parent.children()) {
        if (child.type() == pugi::node_element && SameNameIgnoringCase(child.name(), name)) {
            return child;
        }
    }
    return {};
}

pugi::xml_attribute FindAttribute(pugi::xml_node element, const char* name) {
    for (pugi::xml_attribute attribute : element.attributes()) {
        if (SameNameIgnoringCase(attribute.name(), name)) {
            return attribute;
        }
    }
    return {};
}

const char* AttributeText(pugi::xml_node element, const char* name) {
    return FindAttribute(element, name).as_string();
}

std::wstring AttributeWideText(pugi::xml_node element, const char* name) {
    return pugi::as_wide(AttributeText(element, name));
}

bool LoadDocument(pugi::xml_document& document, const void* data, size_t size) {
    return document.load_buffer(data, size, pugi::parse_default, pugi::encoding_auto);
}

bool LoadDocumentFile(pugi::xml_document& document, const char* path) {
    // Anything but a regular file (a folder in its place) is unreadable, not a size to allocate.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    return document.load_file(path, pugi::parse_default, pugi::encoding_auto);
}

}  // namespace persist

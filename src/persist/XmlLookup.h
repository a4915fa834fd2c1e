#pragma once

#include <pugixml.hpp>
#include <string>

namespace persist {

// Element and attribute names in the files are matched without regard to ASCII letter case.
bool SameNameIgnoringCase(const char* a, const char* b);

// First child element of `parent` with that name, or an empty node.
pugi::xml_node FindElement(pugi::xml_node parent, const char* name);

// First attribute of `element` with that name, or an empty attribute.
pugi::xml_attribute FindAttribute(pugi::xml_node element, const char* name);

// The attribute's text, or "" when the attribute is absent.
const char* AttributeText(pugi::xml_node element, const char* name);

// The attribute's text as a wide string (UTF-8 decoded), or empty when absent.
std::wstring AttributeWideText(pugi::xml_node element, const char* name);

// Loads a document with the standard parse options and automatic encoding detection; false
// when the text does not parse.
bool LoadDocument(pugi::xml_document& document, const void* data, size_t size);
bool LoadDocumentFile(pugi::xml_document& document, const char* path);

}  // namespace persist

#pragma once

#include <pugixml.hpp>
#include <string>

#include "persist/XmlLookup.h"

namespace persist_test {

// A document parsed from text the way the files are parsed.
inline bool Parse(pugi::xml_document& document, const std::string& text) {
    return persist::LoadDocument(document, text.data(), text.size());
}

}  // namespace persist_test

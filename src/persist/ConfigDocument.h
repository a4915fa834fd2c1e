#pragma once

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "records/MacroKeyLists.h"
#include "records/UsbInfo.h"

namespace persist {

// What "config.xml" holds, read from a parsed document.
struct ConfigContent {
    std::wstring language;
    UsbInfo usb;
    std::vector<MacroFuncKey> funcKeys;
    std::vector<MacroCombKey> combKeys;
};

ConfigContent ReadConfigDocument(const pugi::xml_document& document);

}  // namespace persist

#include "persist/ConfigDocument.h"

#include "persist/CNumber.h"
#include "persist/CombinationCode.h"
#include "persist/XmlLookup.h"

namespace persist {
namespace {

UsbInfo ReadUsb(pugi::xml_node usb) {
    UsbInfo info;
    info.vid = ReadSignedHexadecimal(AttributeText(usb, "vid"));
    info.pid = ReadSignedHexadecimal(AttributeText(usb, "pid"));
    info.interface = ReadSignedHexadecimal(AttributeText(usb, "interface"));
    info.subdevice = ReadSignedHexadecimal(AttributeText(usb, "subdevice"));
    return info;
}

std::vector<MacroFuncKey> ReadFuncKeys(pugi::xml_node list) {
    std::vector<MacroFuncKey> keys;
    for (pugi::xml_node child : list.children()) {
        if (child.type() != pugi::node_element || *AttributeText(child, "name") == '\0') {
            continue;
        }
        MacroFuncKey key;
        key.name = AttributeWideText(child, "name");
        key.code = ReadUnsignedDecimal(AttributeText(child, "code"));
        key.path = AttributeWideText(child, "path");
        key.argm = AttributeWideText(child, "argm");
        keys.push_back(std::move(key));
    }
    return keys;
}

std::vector<MacroCombKey> ReadCombKeys(pugi::xml_node list) {
    std::vector<MacroCombKey> keys;
    for (pugi::xml_node child : list.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        MacroCombKey key;
        key.name = AttributeWideText(child, "name");
        key.keys = ParseCombinationCode(AttributeText(child, "code"));
        keys.push_back(std::move(key));
    }
    return keys;
}

}  // namespace

ConfigContent ReadConfigDocument(const pugi::xml_document& document) {
    ConfigContent content;
    content.language = AttributeWideText(FindElement(document, "local"), "language");
    content.usb = ReadUsb(FindElement(document, "usb"));
    content.funcKeys = ReadFuncKeys(FindElement(document, "funkey"));
    content.combKeys = ReadCombKeys(FindElement(document, "combkey"));
    return content;
}

}  // namespace persist

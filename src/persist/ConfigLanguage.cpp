#include "persist/ConfigLanguage.h"

#include <pugixml.hpp>
#include <sstream>

#include "persist/XmlLookup.h"

namespace persist {

files::Replaced SaveConfigLanguage(const std::filesystem::path& target,
                                   const std::filesystem::path& source,
                                   const std::wstring& language,
                                   const files::FileReplacer& replacer) {
    pugi::xml_document document;
    // The comments that explain the file to its reader stay in it.
    const unsigned options = pugi::parse_default | pugi::parse_comments | pugi::parse_declaration;
    if (!document.load_file(source.c_str(), options, pugi::encoding_auto))
        return {source.string() + " cannot be read"};
    pugi::xml_node local = FindElement(document, "local");
    if (!local) {
        pugi::xml_node first = document.first_child();
        while (first && first.type() != pugi::node_element) first = first.next_sibling();
        local =
            first ? document.insert_child_before("local", first) : document.append_child("local");
    }
    pugi::xml_attribute attribute = FindAttribute(local, "language");
    if (!attribute) attribute = local.append_attribute("language");
    attribute.set_value(pugi::as_utf8(language).c_str());
    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    return replacer.Replace(target, text.str());
}

}  // namespace persist

#include "ui/Translator.h"

#include <cstring>

namespace SOUI {

bool STranslator::Load(pugi::xml_node root) {
    if (std::strcmp(root.name(), "language") != 0) return false;
    m_name = QString::fromUtf8(root.attribute("name").value());
    m_texts.clear();
    for (pugi::xml_node t : root.children("text")) {
        const QString src = QString::fromUtf8(t.attribute("src").value());
        if (!src.isEmpty()) m_texts.insert(src, QString::fromUtf8(t.attribute("dst").value()));
    }
    return true;
}

}  // namespace SOUI

// Reads arbitrary bytes as a translation document and installs it. Afterwards the last text the
// document translates reads as its translation (later entries replace earlier ones), and texts
// the document does not name stay as they are.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <pugixml.hpp>

#include "OffscreenApp.h"

namespace {

const QString kResource = QStringLiteral("translator:fuzz");
// A lone surrogate: no text read from UTF-8 can name it.
const QString kUntranslated = QString(QChar(0xD800));

pugi::xml_node LastText(const pugi::xml_document& doc) {
    pugi::xml_node last;
    for (pugi::xml_node text : doc.child("language").children("text")) {
        if (*text.attribute("src").value()) last = text;
    }
    return last;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SOUI::SApplication& app = OffscreenApplicationWith(kResource, data, size);
    if (!app.LoadTranslator(kResource)) return 0;
    pugi::xml_document doc;
    if (!doc.load_buffer(data, size)) __builtin_trap();  // it was installed, so it parses
    if (const pugi::xml_node last = LastText(doc)) {
        const QString src = QString::fromUtf8(last.attribute("src").value());
        if (app.Tr(src) != QString::fromUtf8(last.attribute("dst").value())) __builtin_trap();
    }
    if (app.Tr(kUntranslated) != kUntranslated) __builtin_trap();
    return 0;
}

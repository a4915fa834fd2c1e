#pragma once
// Translation of layout, menu and code texts from a document whose root is "language":
// <language name="cn"><text src="Connected" dst="..."/></language>
#include <QHash>
#include <QString>
#include <pugixml.hpp>

namespace SOUI {

class STranslator {
public:
    // False when the node is not a "language" element.
    bool Load(pugi::xml_node root);
    // The translation of text, or text itself when the document has none.
    QString Tr(const QString& text) const { return m_texts.value(text, text); }
    QString Name() const { return m_name; }
    int Count() const { return static_cast<int>(m_texts.size()); }

private:
    QString m_name;
    QHash<QString, QString> m_texts;
};

}  // namespace SOUI

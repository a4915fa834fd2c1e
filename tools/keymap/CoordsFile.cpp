#include "CoordsFile.h"

#include <QString>
#include <pugixml.hpp>

#include "KeyCode.h"

bool WriteCoordsFile(const std::string& path, const std::vector<KeyPlace>& keys) {
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "utf-8";
    pugi::xml_node positions = doc.append_child("positions");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const KeyPlace& key = keys[i];
        const QRect r = PictureGeometry::KeyRect(key);
        const std::string rect = std::to_string(r.x()) + "," + std::to_string(r.y()) + "," +
                                 std::to_string(r.width()) + "," + std::to_string(r.height());
        const QByteArray name = QString::fromStdWString(std::wstring(key.name)).toUtf8();
        pugi::xml_node node = positions.append_child("key");
        node.append_attribute("id") = static_cast<int>(i);
        node.append_attribute("value") = KeyCodeOf(key.name);
        node.append_attribute("index") = static_cast<int>(i);
        node.append_attribute("name") = name.constData();
        node.append_attribute("rect") = rect.c_str();
    }
    return doc.save_file(path.c_str(), "\t", pugi::format_default, pugi::encoding_utf8);
}

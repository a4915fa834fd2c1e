#include "ui/LayoutLoader.h"

#include <cstdio>

#include "ui/Application.h"
#include "ui/SWindow.h"

namespace SOUI {
namespace {
// Deep enough for any real layout, low enough to stop includes that include themselves.
constexpr int kMaxIncludeDepth = 16;
// A layout that includes itself twice would double at every level of depth.
constexpr int kMaxIncludes = 256;
}  // namespace

void SLayoutLoader::ApplyAttributes(SWindow* window, pugi::xml_node node) {
    for (pugi::xml_attribute attr : node.attributes()) {
        const QString name = QString::fromUtf8(attr.name()).toLower();
        const QString value = QString::fromUtf8(attr.value());
        if (!window->SetAttribute(name, value)) {
            std::printf("unknown attribute [%s] of [%s]\n", attr.name(), node.name());
            std::fflush(stdout);
        }
    }
}

void SLayoutLoader::CreateChildren(SWindow* parent, pugi::xml_node node) const {
    CreateChildren(parent, node, 0);
}

void SLayoutLoader::CreateChildren(SWindow* parent, pugi::xml_node node, int depth) const {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        if (QString::fromUtf8(child.name()).compare("include", Qt::CaseInsensitive) == 0) {
            Include(parent, child, depth + 1);
            continue;
        }
        if (parent->OnChildElement(child)) continue;
        CreateWindow(parent, child, depth);
    }
}

SWindow* SLayoutLoader::CreateWindow(SWindow* parent, pugi::xml_node node) const {
    return CreateWindow(parent, node, 0);
}

SWindow* SLayoutLoader::CreateWindow(SWindow* parent, pugi::xml_node node, int depth) const {
    SWindow* window = m_app.Factory().Create(QString::fromUtf8(node.name()));
    if (!window) {
        std::printf("unknown widget tag [%s]\n", node.name());
        std::fflush(stdout);
        return nullptr;
    }
    ApplyAttributes(window, node);
    parent->InsertChild(window);
    window->OnCreated();
    if (window->CreationFailed()) {
        delete window;
        return nullptr;
    }
    CreateChildren(window, node, depth);
    window->OnChildrenCreated();
    return window;
}

void SLayoutLoader::Include(SWindow* parent, pugi::xml_node node, int depth) const {
    if (depth > kMaxIncludeDepth || m_includes >= kMaxIncludes) return;
    ++m_includes;
    pugi::xml_document doc;
    const QString src = QString::fromUtf8(node.attribute("src").value());
    if (!m_app.GetResProvider().LoadXml(src, doc)) return;
    CreateChildren(parent, doc.document_element(), depth);
}

}  // namespace SOUI

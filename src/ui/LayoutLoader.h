#pragma once
// Builds widget trees from layout XML (see docs/layout-format.md).
#include <QString>
#include <pugixml.hpp>

namespace SOUI {

class SApplication;
class SWindow;

class SLayoutLoader {
public:
    explicit SLayoutLoader(SApplication& app) : m_app(app) {}

    // Creates one widget for every element below node and inserts it under parent.
    void CreateChildren(SWindow* parent, pugi::xml_node node) const;
    // Routes every attribute of node to the widget (names lower-cased).
    static void ApplyAttributes(SWindow* window, pugi::xml_node node);
    // Creates the widget of one element with its subtree; null for an unknown tag.
    SWindow* CreateWindow(SWindow* parent, pugi::xml_node node) const;

private:
    void Include(SWindow* parent, pugi::xml_node node, int depth) const;
    void CreateChildren(SWindow* parent, pugi::xml_node node, int depth) const;
    SWindow* CreateWindow(SWindow* parent, pugi::xml_node node, int depth) const;

    SApplication& m_app;
    // Includes expanded so far by this loader.
    mutable int m_includes = 0;
};

}  // namespace SOUI

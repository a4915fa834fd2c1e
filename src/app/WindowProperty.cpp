#include "app/WindowProperty.h"

#include <QHash>
#include <algorithm>

#include "ui/HostWnd.h"

namespace {

// UI thread only, like the windows themselves.
QHash<QString, std::vector<SOUI::HWND>>& Properties() {
    static QHash<QString, std::vector<SOUI::HWND>> properties;
    return properties;
}

}  // namespace

void SetWindowProperty(SOUI::HWND window, const QString& name) {
    if (window == SOUI::kNoWindow || HasWindowProperty(window, name)) return;
    Properties()[name].push_back(window);
}

void RemoveWindowProperty(SOUI::HWND window, const QString& name) {
    auto it = Properties().find(name);
    if (it == Properties().end()) return;
    std::erase(*it, window);
    if (it->empty()) Properties().erase(it);
}

bool HasWindowProperty(SOUI::HWND window, const QString& name) {
    const auto it = Properties().constFind(name);
    return it != Properties().constEnd() && std::ranges::find(*it, window) != it->end();
}

std::vector<SOUI::HWND> WindowsWithProperty(const QString& name) {
    std::vector<SOUI::HWND> live;
    for (SOUI::HWND window : Properties().value(name))
        if (SOUI::SHostWnd::FromHandle(window)) live.push_back(window);
    return live;
}

#pragma once
// Named marks on windows, as the desktop keeps window properties: the main window carries
// the instance name from its initialisation to its destruction so that a second start can
// find it.
#include <QString>
#include <vector>

#include "ui/WinDefs.h"

void SetWindowProperty(SOUI::HWND window, const QString& name);
void RemoveWindowProperty(SOUI::HWND window, const QString& name);
bool HasWindowProperty(SOUI::HWND window, const QString& name);
// Every live window that carries the mark, oldest first.
std::vector<SOUI::HWND> WindowsWithProperty(const QString& name);

#pragma once
// The one place where the main window gets its screens.
#include <memory>

#include "app/MainPanel.h"

class CMainDlg;

// Builds the panel controller of the main window; null while the window has no screens.
std::unique_ptr<MainPanel> BindScreens(CMainDlg& window);

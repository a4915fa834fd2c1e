#pragma once
// Long work the user waits for, with the window still painting.
#include <QString>
#include <functional>

#include "ui/WinDefs.h"

namespace SOUI {

// Runs `work` on a thread of its own while a box without buttons says `text`: the window keeps
// painting and takes no input meanwhile. Returns once the work is done, however the box ended.
void SRunBusy(HWND owner, const QString& text, const QString& caption,
              const std::function<void()>& work);

}  // namespace SOUI

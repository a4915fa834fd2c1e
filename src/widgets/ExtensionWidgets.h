#pragma once
// Registers the program's widget classes with the toolkit, in the program's order:
// shellnotifyicon, cbimg, page2, tabctrl2, anmimg, editex, stimage, radioex, checkex.
#include "ui/WindowFactory.h"
#include "widgets/AnimImg.h"
#include "widgets/EditEx.h"
#include "widgets/ShellNotifyIcon.h"
#include "widgets/TabCtrl2.h"
#include "widgets/ToggleEx.h"

namespace SOUI {

struct PictureWidgetCreators {
    // "cbimg" (the key map picture) and "stimage" (the colour picture); an empty creator
    // leaves its tag out.
    SWindowFactory::Creator coordButtonImage;
    SWindowFactory::Creator ssImage;
};

// Returns how many classes were registered; a tag registered before keeps its class.
int RegisterExtensionWidgets(SWindowFactory& factory, const PictureWidgetCreators& later = {});

}  // namespace SOUI

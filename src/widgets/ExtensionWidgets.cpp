#include "widgets/ExtensionWidgets.h"

namespace SOUI {

int RegisterExtensionWidgets(SWindowFactory& factory, const PictureWidgetCreators& later) {
    int registered = 0;
    registered += factory.Register<SShellNotifyIcon>("window");
    if (later.coordButtonImage)
        registered += factory.Register("cbimg", "window", later.coordButtonImage);
    registered += factory.Register<STabPage2>("page");
    registered += factory.Register<STabCtrl2>("tabctrl");
    registered += factory.Register<SAnimImg>("window");
    registered += factory.Register<SEditEx>("edit");
    if (later.ssImage) registered += factory.Register("stimage", "window", later.ssImage);
    registered += factory.Register<SRadioBoxEx>("radio");
    registered += factory.Register<SCheckBoxEx>("check");
    return registered;
}

}  // namespace SOUI

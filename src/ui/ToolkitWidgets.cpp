#include "ui/Application.h"
#include "ui/BasicControls.h"
#include "ui/CheckControls.h"
#include "ui/HeaderCtrl.h"
#include "ui/InputControls.h"
#include "ui/ListView.h"
#include "ui/TabCtrl.h"
#include "ui/TextView.h"

namespace SOUI {

void RegisterToolkitWidgets(SWindowFactory& factory) {
    factory.Register<SWindow>("");
    factory.Register<SStatic>("window");
    factory.Register<SImageWnd>("window");
    factory.Register<SButton>("window");
    factory.Register<SImageButton>("button");
    factory.Register<SCaption>("window");
    factory.Register<SFooter>("window");
    factory.Register<SCheckBox>("window");
    factory.Register<SRadioBox>("window");
    factory.Register<SEdit>("window");
    factory.Register<STextView>("window");
    factory.Register<SComboBox>("window");
    factory.Register<SSliderBar>("window");
    factory.Register<STabPage>("window");
    factory.Register<STabCtrl>("window");
    factory.Register<SHeaderCtrl>("window");
    factory.Register<SListView>("window");
    factory.Register<SMcListView>("window");
}

}  // namespace SOUI

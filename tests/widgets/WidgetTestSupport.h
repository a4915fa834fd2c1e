#pragma once
// Widget tests run over the toolkit test resources with the extension classes registered
// and a few skins of known state counts.
#include "ui/UiTestSupport.h"
#include "widgets/ExtensionWidgets.h"

namespace widgettest {

class WidgetTest : public uitest::UiTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Adds a skin of n states, each w by h pixels.
    void AddSkin(const char* name, int states, int w = 10, int h = 10);
    // Creates one widget from an XML element below the host window's root.
    template <class T>
    T* Create(const char* xml) {
        return dynamic_cast<T*>(CreateWindow(xml));
    }
    SOUI::SWindow* CreateWindow(const char* xml);

    std::unique_ptr<SOUI::SHostWnd> host;
};

}  // namespace widgettest

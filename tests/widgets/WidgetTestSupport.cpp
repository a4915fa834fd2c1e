#include "WidgetTestSupport.h"

namespace widgettest {

void WidgetTest::SetUp() {
    uitest::UiTest::SetUp();
    SOUI::RegisterExtensionWidgets(app->Factory());
    host = std::make_unique<SOUI::SHostWnd>("LAYOUT:test_dialog");
    host->Create();
}

void WidgetTest::TearDown() {
    host.reset();
    uitest::UiTest::TearDown();
}

void WidgetTest::AddSkin(const char* name, int states, int w, int h) {
    QImage image(w * states, h, QImage::Format_ARGB32);
    image.fill(Qt::gray);
    app->Skins().Add(name, std::make_shared<SOUI::SSkinImgList>(image, states, false));
}

SOUI::SWindow* WidgetTest::CreateWindow(const char* xml) {
    pugi::xml_document doc;
    if (!doc.load_string(xml)) return nullptr;
    return SOUI::SLayoutLoader(*app).CreateWindow(host->GetRoot(), doc.first_child());
}

}  // namespace widgettest

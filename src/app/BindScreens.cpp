#include "app/BindScreens.h"

#include "app/MainDlg.h"
#include "screens/KeyboardUi.h"

namespace {

// The lighting and key panel as the main window sees it.
class KeyboardPanel : public MainPanel {
public:
    void Init(SOUI::SWindow* root, SOUI::HWND window) override { m_ui.Init(root, window); }
    bool OnEvent(SOUI::EventArgs* e) override { return m_ui.OnEvent(e); }
    void SetExporter(std::function<bool(SOUI::HWND)> exporter) override {
        m_ui.SetExporter(std::move(exporter));
    }

private:
    KeyboardUi m_ui;
};

}  // namespace

std::unique_ptr<MainPanel> BindScreens(CMainDlg&) {
    return std::make_unique<KeyboardPanel>();
}

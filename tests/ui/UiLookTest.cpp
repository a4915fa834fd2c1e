// What the toolkit draws: tab headers and the dark theme of Qt's standard controls.
#include <QComboBox>
#include <QImage>
#include <QTabBar>

#include "UiTestSupport.h"

using namespace SOUI;

namespace {

class Look : public uitest::UiTest {
protected:
    void SetUp() override {
        uitest::UiTest::SetUp();
        testing::internal::CaptureStdout();
        wnd.Create();
        testing::internal::GetCapturedStdout();
        wnd.GetFrame()->show();
        uitest::ProcessEvents();
    }
    SHostWnd wnd{"LAYOUT:test_look"};
};

// Pixels of the rectangle that differ from the colour given.
int PixelsUnlike(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) ++n;
    return n;
}

int Lightness(QRgb c) {
    return QColor(c).lightness();
}

TEST_F(Look, PlainTabHeaderIsVisibleAndDrawsItsItems) {
    auto* tab = wnd.FindChildByName2<STabCtrl>("tab_plain");
    ASSERT_NE(tab, nullptr);
    QTabBar* bar = tab->TabBar();
    ASSERT_TRUE(bar->isVisible());
    ASSERT_GT(bar->height(), 10);
    ASSERT_GT(bar->tabRect(1).right(), bar->tabRect(0).right());
    const QImage image = tab->grab().toImage();
    const QRgb page = image.pixel(image.width() / 2, image.height() - 3);
    // Both items show something on the page's colour: their faces and titles.
    EXPECT_GT(PixelsUnlike(image, bar->tabRect(0), page), bar->tabRect(0).width());
    EXPECT_GT(PixelsUnlike(image, bar->tabRect(1), page), bar->tabRect(1).width());
}

TEST_F(Look, SkinnedTabHeaderTakesTheSkinSizeAndState) {
    auto* tab = wnd.FindChildByName2<STabCtrl>("tab_skinned");
    ASSERT_NE(tab, nullptr);
    QTabBar* bar = tab->TabBar();
    // "skin_states" has four 2x2 states.
    EXPECT_EQ(bar->tabRect(0).size(), QSize(2, 2));
    EXPECT_EQ(tab->ItemState(1), 2);
    EXPECT_EQ(tab->ItemState(0), 0);
    const QImage image = tab->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage states(uitest::ResourceFolder() + "/img/states.png");
    states = states.convertToFormat(QImage::Format_ARGB32);
    // Item 0 shows state 0 and the selected item 1 shows state 2.
    EXPECT_EQ(image.pixel(bar->tabRect(0).topLeft()), states.pixel(0, 0));
    EXPECT_EQ(image.pixel(bar->tabRect(1).topLeft()), states.pixel(4, 0));
}

TEST_F(Look, ThemeFollowsTheColourTableAndKeepsDefaultsForMissingNames) {
    const SThemeColors colors = ThemeColorsOf(*app);
    EXPECT_EQ(colors.accent, QColor(0x10, 0xc0, 0x60));
    EXPECT_EQ(colors.window, QColor(0x1c, 0x1f, 0x25));
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight), colors.accent);
    EXPECT_TRUE(qApp->styleSheet().contains("#10c060"));
    EXPECT_FALSE(qApp->styleSheet().contains('%'));
}

TEST_F(Look, ComboBoxAndItsListAreDark) {
    auto* combo = wnd.FindChildByName2<SComboBox>("combo");
    ASSERT_NE(combo, nullptr);
    const QImage face = combo->grab().toImage();
    EXPECT_LT(Lightness(face.pixel(face.width() / 3, face.height() / 2)), 80);
    QComboBox* qcombo = combo->findChild<QComboBox*>();
    ASSERT_NE(qcombo, nullptr);
    qcombo->showPopup();
    uitest::ProcessEvents();
    const QImage popup = qcombo->view()->grab().toImage();
    qcombo->hidePopup();
    ASSERT_FALSE(popup.isNull());
    EXPECT_LT(Lightness(popup.pixel(popup.width() - 3, popup.height() - 3)), 80);
}

TEST_F(Look, LayoutTextColourStillWinsOverTheTheme) {
    auto* label = wnd.FindChildByName2<SStatic>("red_text");
    ASSERT_NE(label, nullptr);
    const QImage image = label->grab().toImage();
    bool sawRed = false;
    for (int y = 0; y < image.height() && !sawRed; ++y)
        for (int x = 0; x < image.width() && !sawRed; ++x) {
            const QColor c = image.pixelColor(x, y);
            sawRed = c.red() > 150 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_TRUE(sawRed);
}

}  // namespace

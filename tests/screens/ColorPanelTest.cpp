// Two colour panels over the real "color_panel" layout: swatches, the automatic choice,
// the spectrum pick with its byte order, and what the user sees in preview and values.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <memory>
#include <vector>

#include "screens/ColorPanel.h"
#include "support/MacroTestSupport.h"
#include "ui/SOUI.h"
#include "widgets/ExtensionWidgets.h"
#include "widgets/PictureWidgets.h"
#include "widgets/SSImage.h"

using namespace SOUI;

namespace {

struct Owner {
    void OnColour(std::uint32_t c) { colours.push_back(c); }
    std::vector<std::uint32_t> colours;
};

struct CountingProxy : ColorPanel::IProxy {
    explicit CountingProxy(int* deleted) : deleted(deleted) {}
    ~CountingProxy() override { ++*deleted; }
    void OnColor(std::uint32_t) override {}
    int* deleted;
};

class ColorPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        macrotest::EnsureApplication();
        app = std::make_unique<SApplication>();
        app->SetNameIdTable(ProgramNameIdTable());
        ASSERT_TRUE(app->InitResources(QStringLiteral(KEYLUME_SOURCE_UIRES)));
        RegisterExtensionWidgets(app->Factory(), PictureWidgetClasses());
        host = std::make_unique<SHostWnd>();
        host->Create();
        host->GetFrame()->resize(620, 260);
        host->GetRoot()->resize(620, 260);
        fgBox = AddContainer("win_color_panel_foreground", 0);
        bgBox = AddContainer("win_color_panel_background", 310);
        ASSERT_NE(fgBox, nullptr);
        ASSERT_NE(bgBox, nullptr);
        fg.Init(fgBox, host->GetHostHwnd());
        bg.Init(bgBox, host->GetHostHwnd());
        fg.SetListener(new ColorPanel::Listener<Owner>(&fgOwner, &Owner::OnColour));
        bg.SetListener(new ColorPanel::Listener<Owner>(&bgOwner, &Owner::OnColour));
    }
    void TearDown() override {
        host.reset();
        QCoreApplication::processEvents();
        app.reset();
    }

    SWindow* AddContainer(const char* name, int x) {
        const std::string xml = std::string("<window name='") + name + "' pos='" +
                                std::to_string(x) +
                                ",0' size='300,242'><include src='LAYOUT:color_panel'/></window>";
        pugi::xml_document doc;
        doc.load_string(xml.c_str());
        return SLayoutLoader(*app).CreateWindow(host->GetRoot(), doc.first_child());
    }
    static QString Text(SWindow* box, const char* name) {
        return box->FindChildByName(name)->GetWindowText();
    }
    static QStringList Values(SWindow* box) {
        return {Text(box, "color_panel_r"), Text(box, "color_panel_g"), Text(box, "color_panel_b")};
    }
    static void PressAt(SWindow* w, QPoint p) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), w->mapToGlobal(QPointF(p)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
    }
    static QColor PreviewPixel(SWindow* box) {
        SWindow* preview = box->FindChildByName("color_panel_preview");
        return QColor(preview->grab().toImage().pixel(5, 5));
    }
    // A click as the user gives it.
    static void Check(SWindow* box, const char* radio) {
        dynamic_cast<SToggleButton*>(box->FindChildByName(radio))->Click();
    }

    std::unique_ptr<SApplication> app;
    std::unique_ptr<SHostWnd> host;
    SWindow* fgBox = nullptr;
    SWindow* bgBox = nullptr;
    ColorPanel fg;
    ColorPanel bg;
    Owner fgOwner;
    Owner bgOwner;
};

TEST_F(ColorPanelTest, LayoutHoldsEveryWidgetWithConsecutiveSwatchIds) {
    EXPECT_NE(fg.Pad(), nullptr);
    ASSERT_NE(fg.AutoRadio(), nullptr);
    EXPECT_EQ(fg.AutoRadio()->GetID(), 65633);
    for (int i = 0; i < 8; ++i) {
        SWindow* r =
            fgBox->FindChildByName2(QStringLiteral("radio_color_panel_defcol%1").arg(i), "radio");
        ASSERT_NE(r, nullptr) << i;
        EXPECT_EQ(r->GetID(), 65634 + i);
    }
    for (const char* edit : {"color_panel_r", "color_panel_g", "color_panel_b"}) {
        auto* e = fgBox->FindChildByName2<SEdit>(edit);
        ASSERT_NE(e, nullptr) << edit;
        EXPECT_TRUE(e->LineEdit()->isReadOnly()) << edit;
    }
    // The spectrum widget has the size of its picture, so every pixel can be picked.
    ASSERT_NE(fg.Pad()->GetSkin(), nullptr);
    EXPECT_EQ(fg.Pad()->size(), fg.Pad()->GetSkin()->GetSkinSize());
}

TEST_F(ColorPanelTest, SwatchShowsAndReportsItsColourOnEveryClick) {
    Check(fgBox, "radio_color_panel_defcol1");
    EXPECT_EQ(Values(fgBox), (QStringList{"255", "0", "0"}));
    ASSERT_EQ(fgOwner.colours, (std::vector<std::uint32_t>{0xFF0000FF}));
    EXPECT_EQ(PreviewPixel(fgBox), QColor(255, 0, 0));
    Check(fgBox, "radio_color_panel_defcol1");
    EXPECT_EQ(fgOwner.colours.size(), 2u);
    EXPECT_TRUE(bgOwner.colours.empty());  // the other panel heard nothing
    EXPECT_EQ(Values(bgBox), (QStringList{"0", "0", "0"}));
}

TEST_F(ColorPanelTest, EverySwatchHasItsTableColour) {
    const std::uint32_t expected[] = {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000,
                                      0xFF00FFFF, 0xFFFF00FF, 0xFFFFFF00, 0xFFFFFFFF};
    for (int i = 0; i < 8; ++i)
        Check(bgBox, QStringLiteral("radio_color_panel_defcol%1").arg(i).toLatin1().constData());
    EXPECT_EQ(bgOwner.colours,
              std::vector<std::uint32_t>(std::begin(expected), std::end(expected)));
    EXPECT_EQ(Values(bgBox), (QStringList{"255", "255", "255"}));
    EXPECT_EQ(ColorPanel::SwatchColor(9), 0u);
    EXPECT_EQ(ColorPanel::SwatchColor(-1), 0u);
}

TEST_F(ColorPanelTest, AutomaticChoiceShowsZeroAndReportsZero) {
    Check(fgBox, "radio_color_panel_defcol7");
    Check(fgBox, "radio_color_panel_auto");
    EXPECT_EQ(Values(fgBox), (QStringList{"0", "0", "0"}));
    EXPECT_EQ(fgOwner.colours, (std::vector<std::uint32_t>{0xFFFFFFFF, 0}));
}

TEST_F(ColorPanelTest, PickSwapsTheStoredBlueGreenRedBytes) {
    QImage image(8, 4, QImage::Format_ARGB32);
    image.fill(Qt::black);
    image.setPixel(3, 2, qRgba(0x30, 0x20, 0x10, 0xFF));  // stored bytes 10 20 30 FF
    app->Skins().Add("known_pixel", std::make_shared<SSkinImgList>(image, 1, false));
    fg.Pad()->SetSkin(app->Skins().Get("known_pixel"));
    PressAt(fg.Pad(), QPoint(3, 2));
    ASSERT_EQ(fgOwner.colours, (std::vector<std::uint32_t>{0xFF102030}));
    EXPECT_EQ(Values(fgBox), (QStringList{"48", "32", "16"}));
    EXPECT_EQ(PreviewPixel(fgBox), QColor(0x30, 0x20, 0x10));
    PressAt(fg.Pad(), QPoint(100, 3));  // right of the picture
    PressAt(fg.Pad(), QPoint(3, 100));  // below it
    EXPECT_EQ(fgOwner.colours, (std::vector<std::uint32_t>{0xFF102030, 0, 0}));
    EXPECT_EQ(Values(fgBox), (QStringList{"0", "0", "0"}));
}

TEST_F(ColorPanelTest, PickedSpectrumColourIsTheColourOnThePicture) {
    QImage spectrum(QStringLiteral(KEYLUME_SOURCE_UIRES) + "/image/spectrum.png");
    ASSERT_FALSE(spectrum.isNull());
    for (QPoint p : {QPoint(10, 10), QPoint(128, 40), QPoint(200, 150), QPoint(255, 0)}) {
        SCOPED_TRACE(p.x());
        PressAt(bg.Pad(), p);
        const QColor seen = spectrum.pixelColor(p);
        ASSERT_FALSE(bgOwner.colours.empty());
        const std::uint32_t c = bgOwner.colours.back();
        EXPECT_EQ(int(c & 0xFF), seen.red());
        EXPECT_EQ(int((c >> 8) & 0xFF), seen.green());
        EXPECT_EQ(int((c >> 16) & 0xFF), seen.blue());
        EXPECT_EQ(PreviewPixel(bgBox), QColor(seen.red(), seen.green(), seen.blue()));
    }
}

TEST_F(ColorPanelTest, SwatchReportsAgainAfterASpectrumPick) {
    Check(fgBox, "radio_color_panel_defcol1");
    PressAt(fg.Pad(), QPoint(40, 40));
    EXPECT_FALSE(fgBox->FindChildByName("radio_color_panel_defcol1")->IsChecked());
    Check(fgBox, "radio_color_panel_defcol1");
    ASSERT_EQ(fgOwner.colours.size(), 3u);
    EXPECT_EQ(fgOwner.colours.back(), 0xFF0000FFu);
    EXPECT_EQ(Values(fgBox), (QStringList{"255", "0", "0"}));
}

TEST_F(ColorPanelTest, AColourTheKeyboardHoldsIsShownButNotReported) {
    fg.Display(0x00336699);
    EXPECT_EQ(Values(fgBox), (QStringList{"153", "102", "51"}));
    EXPECT_EQ(PreviewPixel(fgBox), QColor(153, 102, 51));
    // A red the keyboard holds frames the red swatch, another colour none; clicking the framed
    // swatch still reports it.
    fg.Display(0x000000FF);
    EXPECT_EQ(Values(fgBox), (QStringList{"255", "0", "0"}));
    EXPECT_TRUE(fgOwner.colours.empty());
    EXPECT_TRUE(fgBox->FindChildByName("radio_color_panel_defcol1")->IsChecked());
    Check(fgBox, "radio_color_panel_defcol1");
    EXPECT_EQ(fgOwner.colours, (std::vector<std::uint32_t>{0xFF0000FF}));
    fg.Display(0x00336699);
    EXPECT_FALSE(fgBox->FindChildByName("radio_color_panel_defcol1")->IsChecked());
}

TEST_F(ColorPanelTest, ValueFieldsOnlyDisplay) {
    auto* red = fgBox->FindChildByName2<SEdit>("color_panel_r");
    ASSERT_NE(red, nullptr);
    red->SetWindowText("77");
    EXPECT_TRUE(fgOwner.colours.empty());
    EXPECT_FALSE(fg.OnEvent(nullptr));
}

TEST_F(ColorPanelTest, NewListenerReplacesAndDeletesTheOld) {
    int deleted = 0;
    ColorPanel panel;
    panel.Init(nullptr, host->GetHostHwnd());
    panel.SetListener(new CountingProxy(&deleted));
    panel.SetListener(new CountingProxy(&deleted));
    EXPECT_EQ(deleted, 1);
    panel.SetListener(nullptr);
    EXPECT_EQ(deleted, 2);
}

}  // namespace

// "stimage": painting and the pixel read under a left click.
#include <QTest>

#include "WidgetTestSupport.h"
#include "widgets/PictureWidgets.h"
#include "widgets/SSImage.h"

using namespace SOUI;

namespace {

struct Picks {
    void OnPixel(LPARAM lParam, int x, int y, const std::uint32_t* pixel) {
        points.emplace_back(x, y);
        params.push_back(lParam);
        pixels.push_back(pixel ? *pixel : 0xDEADBEEF);
    }
    std::vector<QPoint> points;
    std::vector<LPARAM> params;
    std::vector<std::uint32_t> pixels;
};

class Spectrum : public widgettest::WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        RegisterExtensionWidgets(app->Factory(), PictureWidgetClasses());
        // 8 by 4, grey except one pixel stored as blue 0x10, green 0x20, red 0x30.
        QImage image(8, 4, QImage::Format_ARGB32);
        image.fill(QColor(0x80, 0x80, 0x80));
        image.setPixel(2, 1, qRgba(0x30, 0x20, 0x10, 0xFF));
        app->Skins().Add("picture", std::make_shared<SSkinImgList>(image, 1, false));
    }
    SSImage* Make(const char* xml) {
        auto* w = Create<SSImage>(xml);
        EXPECT_NE(w, nullptr);
        if (w) w->SetFuncProxy(new SSImage::FuncProxy<Picks>(&picks, &Picks::OnPixel));
        return w;
    }
    Picks picks;
};

TEST_F(Spectrum, ClickReportsStoredBytesBlueLowestAndHostPoint) {
    auto* w = Make("<stimage skin='picture' pos='30,20' size='8,4'/>");
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 1));
    ASSERT_EQ(picks.pixels.size(), 1u);
    EXPECT_EQ(picks.pixels[0], 0xFF302010u);
    EXPECT_EQ(picks.points[0], QPoint(32, 21));
    EXPECT_EQ(picks.params[0], LPARAM(32 | (21 << 16)));
    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(2, 1));
    EXPECT_EQ(picks.pixels.size(), 1u);
}

TEST_F(Spectrum, ClickPastThePictureOrWithoutSkinReportsZero) {
    auto* w = Make("<stimage skin='picture' pos='0,0' size='20,10'/>");
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 1));  // right of the picture
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(1, 4));  // below it
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(7, 3));  // last pixel inside
    ASSERT_EQ(picks.pixels.size(), 3u);
    EXPECT_EQ(picks.pixels[0], 0u);
    EXPECT_EQ(picks.pixels[1], 0u);
    EXPECT_EQ(picks.pixels[2], 0xFF808080u);
    auto* bare = Make("<stimage pos='0,20' size='20,10'/>");
    QTest::mouseClick(bare, Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_EQ(picks.pixels.size(), 4u);
    EXPECT_EQ(picks.pixels[3], 0u);
    EXPECT_EQ(bare->PixelAt(QPoint(-1, 0)), 0u);
}

TEST_F(Spectrum, PaintsStateZeroOverTheWholeWidget) {
    auto* w = Make("<stimage skin='picture' pos='0,0' size='16,8'/>");
    const QImage img = w->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(4, 2)), QColor(0x30, 0x20, 0x10));  // stretched twice
    EXPECT_EQ(QColor(img.pixel(0, 0)), QColor(0x80, 0x80, 0x80));
    EXPECT_TRUE(w->IsClass("stimage"));
    EXPECT_TRUE(w->IsClass("window"));
}

TEST_F(Spectrum, NewCallbackReplacesTheOld) {
    auto* w = Make("<stimage skin='picture' pos='0,0' size='8,4'/>");
    Picks other;
    w->SetFuncProxy(new SSImage::FuncProxy<Picks>(&other, &Picks::OnPixel));
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 1));
    EXPECT_TRUE(picks.pixels.empty());
    EXPECT_EQ(other.pixels.size(), 1u);
}

}  // namespace

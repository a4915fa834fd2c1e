// What "cbimg" paints: skin state, fills, state images cut from the skin, frames and band.
#include "CoordButtonImageFixture.h"

using namespace SOUI;
using widgettest::kThreeKeys;

namespace {

class KeyPicturePaint : public widgettest::KeyPictureTest {
protected:
    void SetUp() override {
        KeyPictureTest::SetUp();
        AddStateSkin("states4");
    }
    static QColor At(QWidget* w, int x, int y) { return QColor(w->grab().toImage().pixel(x, y)); }
};

TEST_F(KeyPicturePaint, HoverAndCheckedKeysShowTheirSkinStates) {
    auto* w = Make(kThreeKeys, "skin='states4' type='2'");
    EXPECT_EQ(At(w, 35, 5), QColor(Qt::black));
    Send(WM_MOUSEMOVE, 35, 5);
    ClickAt(65, 5);
    Send(WM_MOUSEMOVE, 35, 5);
    const QImage img = w->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(35, 5)), QColor(Qt::red));    // hover: state 1
    EXPECT_EQ(QColor(img.pixel(65, 5)), QColor(Qt::green));  // checked: state 2
    EXPECT_EQ(QColor(img.pixel(5, 5)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(25, 5)), QColor(Qt::black));  // between keys
}

TEST_F(KeyPicturePaint, DisabledPictureDrawsStateThreeWithoutHoverOrChecked) {
    auto* w = Make(kThreeKeys, "skin='states4'");
    w->SetItemChecked(0, true);
    Send(WM_MOUSEMOVE, 35, 5);
    w->EnableWindow(false);
    const QImage img = w->grab().toImage();
    for (int x : {5, 35, 65, 150}) EXPECT_EQ(QColor(img.pixel(x, 5)), QColor(Qt::blue)) << x;
}

TEST_F(KeyPicturePaint, DecimalBackgroundFillsHexadecimalDoesNot) {
    auto* w = Make(
        "<key id='1' rect='0,0,20,20' bground='4278190335'/>"
        "<key id='2' rect='30,0,20,20' bground='0xFF0000FF'/>",
        "skin='states4'");
    EXPECT_EQ(At(w, 5, 5), QColor(Qt::red));
    EXPECT_EQ(At(w, 35, 5), QColor(Qt::black));
    w->SetBackgroundFill(false);
    EXPECT_EQ(At(w, 5, 5), QColor(Qt::black));
}

TEST_F(KeyPicturePaint, ForegroundFillCoversStateImagesAndCanBeSwitchedOff) {
    auto* w = Make(kThreeKeys, "skin='states4'");
    w->SetItemChecked(0, true);
    w->SetItemForeground(0, 0xFFFFFF00);  // cyan, opaque
    EXPECT_EQ(At(w, 5, 5), QColor(Qt::cyan));
    w->SetForegroundFill(false);
    EXPECT_EQ(At(w, 5, 5), QColor(Qt::green));
}

TEST_F(KeyPicturePaint, SelectedKeysAreFramedOnlyInSelectionMode) {
    auto* w = Make(kThreeKeys, "skin='states4' select='1'");
    ClickAt(35, 5);
    ASSERT_EQ(w->Items()[1].selected, 1);
    // The frame is moved one pixel left and down: its left edge runs along x = 29.
    EXPECT_EQ(At(w, 29, 10), QColor(Qt::white));
    EXPECT_EQ(At(w, 10, 10), QColor(Qt::black));
    w->SetSelectMode(false);
    EXPECT_EQ(At(w, 29, 10), QColor(Qt::black));
}

TEST_F(KeyPicturePaint, LeftBandIsDrawnWhileDragging) {
    auto* w = Make(kThreeKeys, "skin='states4' select='1'");
    Send(WM_LBUTTONDOWN, 90, 22);
    Send(WM_MOUSEMOVE, 150, 45);
    const QImage img = w->grab().toImage();
    int white = 0;
    for (int x = 90; x < 150; ++x) white += QColor(img.pixel(x, 22)) == QColor(Qt::white);
    EXPECT_GT(white, 10);  // dashed edge along the band's top
    Send(WM_LBUTTONUP, 150, 45);
    EXPECT_EQ(At(w, 100, 22), QColor(Qt::black));
}

}  // namespace

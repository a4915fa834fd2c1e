// Coordinates file reading, clicks, toggling, hover and the selection band of "cbimg".
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "CoordButtonImageFixture.h"

using namespace SOUI;
using widgettest::kThreeKeys;
using V = std::vector<int>;

namespace {

class KeyPicture : public widgettest::KeyPictureTest {};

TEST_F(KeyPicture, ReadsKeysWithDefaultsDecimalColoursAndLooseRects) {
    auto* w = Make(
        "<key id='7' value='30' index='4' name='Caps \xE2\x87\xAA' rect=' 5, 6 ,7,8' "
        "bground='4278190335' fground='0xFF0000FF'/>"
        "<!-- not a key -->"
        "<anything rect='1,2'/>"
        "<key id='12abc' bground='-5' rect='x'/>");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->Items().size(), 3u);
    const CoordButtonInfo& a = w->Items()[0];
    EXPECT_EQ(a.id, 7);
    EXPECT_EQ(a.value, 30);
    EXPECT_EQ(a.index, 4);
    EXPECT_EQ(a.order, 0);
    EXPECT_EQ(a.name, L"Caps \u21EA");
    EXPECT_EQ(a.rect, (CoordRect{5, 6, 12, 14}));
    EXPECT_EQ(a.bground, 0xFF0000FFu);
    EXPECT_EQ(a.fground, 0u);  // hexadecimal reads as 0
    const CoordButtonInfo& b = w->Items()[1];
    EXPECT_EQ(b.id, -1);
    EXPECT_EQ(b.value, -1);
    EXPECT_EQ(b.index, -1);
    EXPECT_EQ(b.order, 1);
    EXPECT_EQ(b.rect, (CoordRect{1, 2, 1, 2}));  // missing width and height stay 0
    const CoordButtonInfo& c = w->Items()[2];
    EXPECT_EQ(c.id, 12);
    EXPECT_EQ(c.bground, 0u);
    EXPECT_EQ(c.rect, (CoordRect{}));
}

TEST_F(KeyPicture, MissingOrForeignFilesGiveNoKeys) {
    auto* missing = Create<CoordButtonImage>("<cbimg coords='no_such_file.xml'/>");
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->Items().empty());
    const QString other = WriteCoords("<keys><key id='1' rect='0,0,5,5'/></keys>");
    const std::string xml = "<cbimg coords='" + other.toStdString() + "'/>";
    auto* foreign = Create<CoordButtonImage>(xml.c_str());
    ASSERT_NE(foreign, nullptr);
    EXPECT_TRUE(foreign->Items().empty());
    const QString broken = WriteCoords("<positions><key id='1'");
    const std::string xml2 = "<cbimg coords='" + broken.toStdString() + "'/>";
    auto* bad = Create<CoordButtonImage>(xml2.c_str());
    ASSERT_NE(bad, nullptr);
    EXPECT_TRUE(bad->Items().empty());
}

TEST_F(KeyPicture, CoordinatesAreReadBesideTheResourcesWhereverTheProgramIs) {
    // Installed, the program is in <prefix>/bin and its resources in <prefix>/share/keylume.
    QTemporaryDir data;
    ASSERT_TRUE(QDir(data.path()).mkpath("uires/coords"));
    QFile file(data.path() + "/uires/coords/keys.xml");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((std::string("<positions>") + kThreeKeys + "</positions>").c_str());
    file.close();
    app->InitResources(data.path() + "/uires");
    ASSERT_NE(app->GetDataDir(), app->GetAppDir());
    auto* picture = Create<CoordButtonImage>("<cbimg coords='uires/coords/keys.xml'/>");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Items().size(), 3u);
}

TEST_F(KeyPicture, AttributesSelectAndType) {
    auto* off = Make(kThreeKeys, "select='FALSE' type='0x2'");
    EXPECT_FALSE(off->IsSelectMode());
    EXPECT_EQ(off->GetToggleType(), 2);
    EXPECT_TRUE(off->IsClass("window"));
    auto* on = Make(kThreeKeys, "select='yes' type='1'");
    EXPECT_TRUE(on->IsSelectMode());
    EXPECT_EQ(on->GetToggleType(), 1);
    EXPECT_TRUE(Make(kThreeKeys, "select='0'") != nullptr);
}

TEST_F(KeyPicture, ClickReportsPressAndReleaseInWidgetCoordinates) {
    auto* w = Make(kThreeKeys);
    ClickAt(35, 4);
    ASSERT_EQ(rec.clicks.size(), 2u);
    EXPECT_EQ(rec.clicks[0].id, 2);
    EXPECT_EQ(rec.clicks[0].order, 1);
    EXPECT_EQ(rec.clicks[0].released, 0);
    EXPECT_EQ(rec.clicks[1].released, 1);
    EXPECT_EQ(rec.clicks[1].x, 35);
    EXPECT_EQ(rec.clicks[1].y, 4);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 0, 0}));  // type 0 never toggles
}

TEST_F(KeyPicture, PressOnOneKeyReleaseOnAnotherIsNoClick) {
    Make(kThreeKeys);
    Send(WM_LBUTTONDOWN, 5, 5);
    Send(WM_LBUTTONUP, 65, 5);
    ASSERT_EQ(rec.clicks.size(), 1u);
    EXPECT_EQ(rec.clicks[0].released, 0);
    Send(WM_LBUTTONDOWN, 25, 5);  // between keys
    Send(WM_LBUTTONUP, 25, 5);
    EXPECT_EQ(rec.clicks.size(), 1u);
}

TEST_F(KeyPicture, SingleToggleKeepsOneCheckedKeyOrNone) {
    auto* w = Make(kThreeKeys, "type='1'");
    ClickAt(5, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{1, 0, 0}));
    ClickAt(65, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 0, 1}));
    ClickAt(65, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 0, 0}));
}

TEST_F(KeyPicture, MultipleToggleFlipsOnlyTheClickedKey) {
    auto* w = Make(kThreeKeys, "type='2'");
    ClickAt(5, 5);
    ClickAt(35, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{1, 1, 0}));
    ClickAt(5, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 1, 0}));
}

TEST_F(KeyPicture, AllKeysButtonFlipsEveryKeyWithEitherType) {
    const std::string keys =
        std::string(kThreeKeys) + "<key id='2147483647' name='All' rect='100,0,20,20'/>";
    for (const char* type : {"type='1'", "type='2'"}) {
        SCOPED_TRACE(type);
        auto* w = Make(keys, type);
        ClickAt(105, 5);
        EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{1, 1, 1, 1}));
        ClickAt(105, 5);
        EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 0, 0, 0}));
    }
    auto* two = Make(keys, "type='2'");
    ClickAt(35, 5);
    ClickAt(105, 5);
    EXPECT_EQ(Flags(two, &CoordButtonInfo::checked), (V{1, 0, 1, 1}));
}

TEST_F(KeyPicture, ListenerThatHandlesThePressStopsToggling) {
    auto* w = Make(kThreeKeys, "type='2'");
    rec.handled = true;
    ClickAt(5, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 0, 0}));
    EXPECT_EQ(rec.clicks.size(), 2u);
}

TEST_F(KeyPicture, EarlierOverlappingKeyTakesClicksAndHover) {
    auto* w = Make(
        "<key id='1' name='first' rect='0,0,30,20'/><key id='2' name='second' rect='20,0,30,20'/>",
        "type='2'");
    ClickAt(25, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{1, 0}));
    ASSERT_FALSE(rec.clicks.empty());
    EXPECT_EQ(rec.clicks[0].id, 1);
    Send(WM_MOUSEMOVE, 25, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::hover), (V{1, 0}));
    EXPECT_EQ(w->toolTip(), QString("first"));
}

TEST_F(KeyPicture, HoverFollowsTheMouseWithTipBeforeName) {
    auto* w =
        Make("<key id='1' name='A' rect='0,0,20,20'/><key id='2' name='B' rect='30,0,20,20'/>");
    Send(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::hover), (V{1, 0}));
    EXPECT_EQ(w->toolTip(), QString("A"));
    Send(WM_MOUSEMOVE, 35, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::hover), (V{0, 1}));
    Send(WM_MOUSEMOVE, 25, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::hover), (V{0, 0}));
    EXPECT_TRUE(w->toolTip().isEmpty());
    Send(WM_MOUSEMOVE, 35, 5);
    Leave();
    EXPECT_EQ(Flags(w, &CoordButtonInfo::hover), (V{0, 0}));
}

TEST_F(KeyPicture, SelectionClickFlipsKeyAndReports) {
    auto* w = Make(kThreeKeys, "select='1'");
    ClickAt(35, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::selected), (V{0, 1, 0}));
    ASSERT_EQ(rec.selections.size(), 1u);
    EXPECT_EQ(rec.selections[0], (V{2}));
    ClickAt(5, 5);
    EXPECT_EQ(rec.selections.back(), (V{1, 2}));
    ClickAt(35, 5);
    EXPECT_EQ(rec.selections.back(), (V{1}));
}

TEST_F(KeyPicture, SelectionPressAndReleaseOnDifferentKeysFlipsNoneButReports) {
    auto* w = Make(kThreeKeys, "select='1'");
    Send(WM_LBUTTONDOWN, 5, 5);
    Send(WM_LBUTTONUP, 35, 5);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::selected), (V{0, 0, 0}));
    ASSERT_EQ(rec.selections.size(), 1u);
    EXPECT_TRUE(rec.selections[0].empty());
}

TEST_F(KeyPicture, BandDownRightSelectsKeysFullyInside) {
    auto* w = Make(
        "<key id='1' name='A' rect='10,10,20,20'/><key id='2' name='B' rect='40,10,20,20'/>"
        "<key id='3' name='C' rect='70,10,20,20'/>",
        "select='1'");
    // From an empty spot of the picture above and left of the first key to the middle of the
    // third.
    DragLeft({2, 2}, {75, 35});
    EXPECT_EQ(Flags(w, &CoordButtonInfo::selected), (V{1, 1, 0}));
    ASSERT_FALSE(rec.selections.empty());
    EXPECT_EQ(rec.selections.back(), (V{1, 2}));
    // A press beside the picture starts no band: the release that follows selects nothing.
    DragLeft({-2, -2}, {95, 35});
    EXPECT_EQ(Flags(w, &CoordButtonInfo::selected), (V{1, 1, 0}));
}

TEST_F(KeyPicture, BandDraggedAnyWaySelectsTheKeysItCovers) {
    const struct {
        QPoint from, to;
        V selected;
    } bands[] = {
        {{100, 30}, {-5, -5}, V{1, 1, 1}},  // up and left
        {{55, 0}, {-5, 30}, V{1, 1, 0}},    // left only
        {{25, 30}, {100, -5}, V{0, 1, 1}},  // up only
    };
    for (const auto& band : bands) {
        auto* w = Make(kThreeKeys, "select='1'");
        DragLeft(band.from, band.to);
        EXPECT_EQ(Flags(w, &CoordButtonInfo::selected), band.selected)
            << band.from.x() << "," << band.from.y() << " to " << band.to.x() << "," << band.to.y();
        // The right button clears with a band dragged the same way.
        Send(SOUI::WM_RBUTTONDOWN, band.from.x(), band.from.y());
        Send(SOUI::WM_MOUSEMOVE, band.to.x(), band.to.y());
        Send(SOUI::WM_RBUTTONUP, band.to.x(), band.to.y());
        EXPECT_EQ(Flags(w, &CoordButtonInfo::selected), (V{0, 0, 0}));
        delete w;
    }
}

TEST_F(KeyPicture, RightBandClearsSelectionOwnerHearsLater) {
    auto* w = Make(kThreeKeys, "select='1'");
    DragLeft({0, 0}, {100, 30});
    ASSERT_EQ(rec.selections.back(), (V{1, 2, 3}));
    const size_t reports = rec.selections.size();
    Send(WM_RBUTTONDOWN, 25, 0);
    Send(WM_MOUSEMOVE, 100, 30);
    Send(WM_RBUTTONUP, 100, 30);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::selected), (V{1, 0, 0}));
    EXPECT_EQ(rec.selections.size(), reports);
    Leave();
    ASSERT_EQ(rec.selections.size(), reports + 1);
    EXPECT_EQ(rec.selections.back(), (V{1}));
}

TEST_F(KeyPicture, OwnerOperationsByPosition) {
    auto* w = Make(kThreeKeys);
    w->SetItemChecked(CoordButtonImage::kAllKeys, true);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{1, 1, 1}));
    w->SetItemChecked(1, false);
    w->SetItemChecked(3, false);  // past the end
    w->SetItemChecked(-1, false);
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{1, 0, 1}));
    w->SetItemForeground(2, 0xFF00FF00);
    w->SetItemForeground(99, 0xFF0000FF);
    EXPECT_EQ(w->Items()[2].fground, 0xFF00FF00u);
    EXPECT_EQ(w->Items()[0].fground, 0u);
    w->SetItemForeground(CoordButtonImage::kAllKeys, 0x70000001);
    for (const auto& k : w->Items()) EXPECT_EQ(k.fground, 0x70000001u);
}

TEST_F(KeyPicture, HiddenPictureIgnoresTheMouse) {
    auto* w = Make(kThreeKeys, "type='2'");
    w->SetVisible(false);
    ClickAt(5, 5);
    EXPECT_TRUE(rec.clicks.empty());
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 0, 0}));
}

TEST_F(KeyPicture, DisabledPictureTakesNoClicksAndReportsNoSelection) {
    auto* w = Make(kThreeKeys, "select='1' type='2'");
    w->EnableWindow(false);
    ClickAt(5, 5);
    DragLeft({0, 0}, {100, 30});
    Leave();
    EXPECT_TRUE(rec.clicks.empty());
    EXPECT_TRUE(rec.selections.empty());
    EXPECT_EQ(Flags(w, &CoordButtonInfo::checked), (V{0, 0, 0}));
    w->EnableWindow(true);
    ClickAt(5, 5);
    EXPECT_EQ(rec.selections.size(), 1u);
}

TEST_F(KeyPicture, TranslucentHostGetsNoFilter) {
    SHostWnd glass("LAYOUT:test_translucent");
    glass.Create();
    pugi::xml_document doc;
    doc.load_string("<cbimg pos='0,0' size='40,40'/>");
    auto* w = dynamic_cast<CoordButtonImage*>(
        SLayoutLoader(*app).CreateWindow(glass.GetRoot(), doc.first_child()));
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->IsFiltering());
    EXPECT_TRUE(Make(kThreeKeys)->IsFiltering());
    glass.DestroyWindow();
}

}  // namespace

// Id table, resources, widget factory, translation, painting and the timeline.
#include <set>

#include "UiTestSupport.h"
#include "ui/WidgetIds.h"

using namespace SOUI;
using uitest::CountOf;

namespace {

TEST(NameIdTable, HoldsAllRowsSortedWithUniqueIds) {
    const auto& table = ProgramNameIdTable();
    ASSERT_EQ(table.size(), 117u);
    EXPECT_STREQ(table[0].name, "_name_start");
    EXPECT_EQ(table[0].id, 65535);
    std::set<int> ids;
    for (size_t i = 0; i < table.size(); ++i) {
        ids.insert(table[i].id);
        if (i > 0) {
            EXPECT_LT(std::string(table[i - 1].name), std::string(table[i].name));
        }
    }
    // 65535 plus every id from 65536 to 65651, each once.
    EXPECT_EQ(ids.size(), 117u);
    EXPECT_EQ(*ids.begin(), 65535);
    EXPECT_EQ(*ids.rbegin(), 65651);
}

TEST(NameIdTable, BindsTheIdsTheProgramCompares) {
    const auto& t = ProgramNameIdTable();
    for (const BoundWidgetId& row : kBoundWidgetIds) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(LookupNameId(t, row.name), row.id);
    }
    for (int i = 0; i < kDefaultColourCount; ++i) {
        const std::string name = "radio_color_panel_defcol" + std::to_string(i);
        SCOPED_TRACE(name);
        EXPECT_EQ(LookupNameId(t, name), kFirstDefaultColourId + i);
    }
    // The rows name distinct widgets and ids inside the table's range.
    std::set<int> ids;
    for (const BoundWidgetId& row : kBoundWidgetIds) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.name;
        EXPECT_GE(row.id, 65536) << row.name;
        EXPECT_LE(row.id, 65651) << row.name;
    }
    EXPECT_EQ(ids.size(), 24u);
    EXPECT_EQ(LookupNameId(t, "no_such_widget"), -1);
    EXPECT_EQ(LookupNameId(t, ""), -1);
    EXPECT_GE(LookupNameId(t, "kbside_radio_color7"), 65536);
}

class Resources : public uitest::UiTest {};

TEST_F(Resources, FindsIndexedNamesWithoutRegardToCase) {
    auto& res = app->GetResProvider();
    EXPECT_TRUE(res.HasResource("LAYOUT:test_main"));
    EXPECT_TRUE(res.HasResource("layout:TEST_MAIN"));
    EXPECT_TRUE(res.HasResource("uidef:xml_init"));
    EXPECT_FALSE(res.HasResource("LAYOUT:listed_but_absent"));
    // The message box layout is carried by the program itself.
    EXPECT_TRUE(res.HasResource("LAYOUT:SYS_XML_MSGBOX"));
    EXPECT_EQ(app->GetString(1), "toolkit-test-instance");
    EXPECT_EQ(app->GetString(7), QString());
    std::uint32_t c = 0;
    ASSERT_TRUE(app->GetColor("halfblue", &c));
    EXPECT_EQ(c, 0x80FF0000u);
}

TEST_F(Resources, MissingResourceIsReportedOnceAndYieldsNothing) {
    testing::internal::CaptureStdout();
    const QByteArray a = app->GetResProvider().Read("LAYOUT:listed_but_absent");
    const QByteArray b = app->GetResProvider().Read("layout:LISTED_BUT_ABSENT");
    const QImage image = app->GetResProvider().LoadImage("img:nowhere");
    EXPECT_EQ(app->Skins().Get("no_such_skin"), nullptr);
    EXPECT_EQ(app->Skins().Get("no_such_skin"), nullptr);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(a.isEmpty());
    EXPECT_TRUE(b.isEmpty());
    EXPECT_TRUE(image.isNull());
    EXPECT_EQ(CountOf(out, "resource not found: LAYOUT:listed_but_absent"), 1);
    EXPECT_EQ(CountOf(out, "resource not found: img:nowhere"), 1);
    EXPECT_EQ(CountOf(out, "resource not found: skin:no_such_skin"), 1);
}

TEST_F(Resources, FolderWithoutIndexFailsToInitialise) {
    SResProviderFiles res;
    EXPECT_FALSE(res.Init(uitest::ResourceFolder() + "/layout"));
    EXPECT_FALSE(res.HasResource("LAYOUT:test_main"));
}

TEST_F(Resources, SkinTableLoadsImagesAndSkipsBrokenEntries) {
    ISkinObj* skin = app->Skins().Get("skin_states");
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetStates(), 4);
    EXPECT_EQ(skin->GetSkinSize(), QSize(2, 2));
    testing::internal::CaptureStdout();
    EXPECT_EQ(app->Skins().Get("skin_missing_image"), nullptr);
    testing::internal::GetCapturedStdout();
}

// A program widget that extends the check box.
class TestCheck : public SCheckBox {
    SOUI_CLASS_NAME(SCheckBox, "testcheck")
public:
    bool SetAttribute(const QString& name, const QString& value) override {
        if (name == "flavour") {
            flavour = value;
            return true;
        }
        return SCheckBox::SetAttribute(name, value);
    }
    QString flavour;
};

class OtherCheck : public SCheckBox {
    SOUI_CLASS_NAME(SCheckBox, "testcheck")
};

class Factory : public uitest::UiTest {};

TEST_F(Factory, RegisteredTagIsNeverReplaced) {
    auto& f = app->Factory();
    EXPECT_TRUE(f.Register<TestCheck>("check"));
    EXPECT_FALSE(f.Register<OtherCheck>("check"));
    EXPECT_FALSE(f.Register<SEdit>("window"));  // a toolkit tag stays the toolkit's
    EXPECT_EQ(f.BaseTag("testcheck"), "check");
    std::unique_ptr<SWindow> w(f.Create("TestCheck"));
    ASSERT_NE(w, nullptr);
    EXPECT_NE(dynamic_cast<TestCheck*>(w.get()), nullptr);
    EXPECT_EQ(dynamic_cast<OtherCheck*>(w.get()), nullptr);
    std::unique_ptr<SWindow> e(f.Create("edit"));
    EXPECT_NE(dynamic_cast<SEdit*>(e.get()), nullptr);
    EXPECT_EQ(f.Create("nothing_registered"), nullptr);
}

TEST_F(Factory, ClassTestAcceptsOwnTagAndEveryBaseTag) {
    TestCheck w;
    EXPECT_STREQ(w.GetObjectClass(), "testcheck");
    EXPECT_TRUE(w.IsClass("testcheck"));
    EXPECT_TRUE(w.IsClass("check"));
    EXPECT_TRUE(w.IsClass("window"));
    EXPECT_FALSE(w.IsClass("radio"));
    EXPECT_FALSE(w.IsClass("edit"));
}

TEST_F(Factory, AttributesGoToTheClassThenItsBases) {
    ASSERT_TRUE(app->Factory().Register<TestCheck>("check"));
    pugi::xml_document doc;
    doc.load_string(
        "<testcheck Flavour='mint' NAME='sync_light_dat' text='Hello' tip='t' enable='0'/>");
    std::unique_ptr<SWindow> w(app->Factory().Create("testcheck"));
    SLayoutLoader::ApplyAttributes(w.get(), doc.first_child());
    auto* check = static_cast<TestCheck*>(w.get());
    EXPECT_EQ(check->flavour, "mint");
    EXPECT_EQ(check->GetName(), "sync_light_dat");
    EXPECT_EQ(check->GetID(), 65539);  // from the registered id table
    EXPECT_EQ(check->GetWindowText(), "Hello");
    EXPECT_EQ(check->toolTip(), "t");
    EXPECT_TRUE(check->IsDisabled());
}

class Translation : public uitest::UiTest {};

TEST_F(Translation, InstalledDocumentTranslatesTextsAndLayouts) {
    EXPECT_EQ(app->Tr("Hello"), "Hello");
    ASSERT_TRUE(app->LoadTranslator("translator:lang_cn"));
    EXPECT_EQ(app->GetTranslator()->Name(), "cn");
    EXPECT_EQ(app->Tr("Hello"), QString::fromUtf8("你好"));
    EXPECT_EQ(app->Tr("Untranslated"), "Untranslated");
    SHostWnd wnd("LAYOUT:test_main");
    wnd.Create();
    auto* text = wnd.FindChildByName2<SStatic>("caption_text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetWindowText(), QString::fromUtf8("你好"));
    EXPECT_EQ(wnd.GetFrame()->windowTitle(), QString::fromUtf8("你好"));
}

TEST_F(Translation, DocumentWithoutLanguageRootIsRefused) {
    ASSERT_TRUE(app->LoadTranslator("translator:lang_cn"));
    EXPECT_FALSE(app->LoadTranslator("translator:not_a_language"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(app->LoadTranslator("translator:lang_xx"));
    testing::internal::GetCapturedStdout();
    // A failed load leaves the installed translation as it was.
    EXPECT_EQ(app->Tr("Open"), QString::fromUtf8("打开"));
}

TEST(Painting, OffscreenPixelsAreBlueGreenRedAlphaInMemory) {
    uitest::EnsureQApp();
    SOffscreen surface(QSize(4, 4));
    FillSolidRect(surface.Begin(), QRect(0, 0, 2, 2), 0xFF102030);  // red 0x30, blue 0x10
    surface.End();
    const std::uint32_t p = surface.GetPixel(1, 1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&p);
    EXPECT_EQ(bytes[0], 0x10);  // blue
    EXPECT_EQ(bytes[1], 0x20);  // green
    EXPECT_EQ(bytes[2], 0x30);  // red
    EXPECT_EQ(bytes[3], 0xFF);  // alpha
    EXPECT_EQ(surface.GetPixel(3, 3), 0u);
    EXPECT_EQ(surface.GetPixel(-1, 0), 0u);
    EXPECT_EQ(surface.GetPixel(4, 0), 0u);
    EXPECT_EQ(surface.Pitch() % 4, 0);
}

TEST_F(Resources, SkinDrawsTheRequestedStateAndClampsPastTheLast) {
    ISkinObj* skin = app->Skins().Get("skin_states");
    ASSERT_NE(skin, nullptr);
    const std::uint32_t expected[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int state = 0; state < 6; ++state) {
        SOffscreen surface(QSize(2, 2));
        skin->Draw(surface.Begin(), QRect(0, 0, 2, 2), state);
        surface.End();
        EXPECT_EQ(surface.GetPixel(0, 0), expected[std::min(state, 3)]) << state;
    }
}

TEST(Painting, SkinDrawsTheCopyAsDenseAsTheScreen) {
    uitest::EnsureQApp();
    const auto picture = [](QSize size, int density, Qt::GlobalColor colour) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        image.setDevicePixelRatio(density);
        return image;
    };
    SSkinImgList skin(picture({2, 1}, 1, Qt::red), 2, false);    // two states of one pixel
    EXPECT_FALSE(skin.AddDenser(picture({4, 2}, 1, Qt::blue)));  // not denser
    EXPECT_FALSE(skin.AddDenser(picture({6, 2}, 2, Qt::blue)));  // another size
    EXPECT_TRUE(skin.AddDenser(picture({4, 2}, 2, Qt::blue)));
    for (const auto& [density, colour] : {std::pair{1, Qt::red}, std::pair{2, Qt::blue}}) {
        QImage screen = picture({density, density}, density, Qt::black);
        QPainter painter(&screen);
        skin.Draw(painter, QRect(0, 0, 1, 1), 1);
        painter.end();
        EXPECT_EQ(screen.pixelColor(density - 1, density - 1), QColor(colour)) << density;
    }
}

TEST(Painting, CopiesOneRectangleBetweenSurfaces) {
    uitest::EnsureQApp();
    SOffscreen source(QSize(4, 4));
    FillSolidRect(source.Begin(), QRect(0, 0, 4, 4), 0xFF0000FF);
    source.End();
    SOffscreen target(QSize(4, 4));
    QPainter& p = target.Begin();
    FillSolidRect(p, QRect(0, 0, 4, 4), 0xFF00FF00);
    source.CopyRectTo(p, QRect(1, 1, 2, 2), QPoint(0, 0));
    target.End();
    EXPECT_EQ(target.GetPixel(1, 1), 0xFFFF0000u);  // red, stored as 0xAARRGGBB
    EXPECT_EQ(target.GetPixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(target.GetPixel(3, 3), 0xFF00FF00u);
}

TEST(Painting, PensAndRoundRectanglesDrawTheFrame) {
    uitest::EnsureQApp();
    EXPECT_EQ(MakePen(1, 0xFFFFFFFF, 2).style(), Qt::DashLine);
    EXPECT_EQ(MakePen(2, 0, 1).style(), Qt::DotLine);
    EXPECT_EQ(MakePen(0, 0xFF0000FF, 3).widthF(), 3.0);
    EXPECT_EQ(MakePen(0, 0xFF0000FF, 3).color(), QColor(255, 0, 0));
    SOffscreen surface(QSize(10, 10));
    DrawRoundRect(surface.Begin(), QRect(1, 1, 7, 7), MakePen(0, 0xFFFFFFFF, 1), QSize(1, 1));
    surface.End();
    EXPECT_NE(surface.GetPixel(4, 1), 0u);  // on the frame
    EXPECT_EQ(surface.GetPixel(4, 4), 0u);  // inside stays empty
}

class CountingHandler : public ITimelineHandler {
public:
    void OnNextFrame() override {
        ++ticks;
        if (onTick) onTick();
    }
    bool WantsFrames() const override { return wants; }
    int ticks = 0;
    bool wants = true;
    std::function<void()> onTick;
};

TEST(Timeline, TicksEachRegisteredHandlerOncePerFrame) {
    uitest::EnsureQApp();
    STimeline timeline;
    CountingHandler a, b;
    timeline.RegisterHandler(&a);
    timeline.RegisterHandler(&a);
    timeline.RegisterHandler(&b);
    timeline.Tick();
    EXPECT_EQ(a.ticks, 1);
    EXPECT_EQ(b.ticks, 1);
    // A handler removed by an earlier one in the same frame is not ticked.
    a.onTick = [&] { timeline.UnregisterHandler(&b); };
    timeline.Tick();
    EXPECT_EQ(a.ticks, 2);
    EXPECT_EQ(b.ticks, 1);
    timeline.UnregisterHandler(&a);
    timeline.Tick();
    EXPECT_EQ(a.ticks, 2);
}

TEST(Timeline, TimerTicksEveryTenMilliseconds) {
    uitest::EnsureQApp();
    STimeline timeline;
    CountingHandler h;
    timeline.RegisterHandler(&h);
    timeline.Start();
    QEventLoop loop;
    h.onTick = [&] {
        if (h.ticks == 3) loop.quit();
    };
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    timeline.Stop();
    EXPECT_GE(h.ticks, 3);
    EXPECT_EQ(STimeline::kFrameMs, 10);
}

TEST(Timeline, TimerRunsOnlyWhileAHandlerWantsFrames) {
    uitest::EnsureQApp();
    STimeline timeline;
    CountingHandler still, moving;
    still.wants = false;
    moving.wants = false;
    timeline.RegisterHandler(&still);
    timeline.RegisterHandler(&moving);
    timeline.Start();
    EXPECT_FALSE(timeline.IsTicking());
    // A handler that starts to move must say so: the sleeping timeline asks nobody.
    moving.wants = true;
    EXPECT_FALSE(timeline.IsTicking());
    timeline.Wake();
    EXPECT_TRUE(timeline.IsTicking());
    // The frame in which the last mover settles is the last one.
    moving.onTick = [&] { moving.wants = false; };
    timeline.Tick();
    EXPECT_FALSE(timeline.IsTicking());
    EXPECT_EQ(still.ticks, 1);
    // Registering a mover wakes the timeline; a stopped one stays asleep.
    CountingHandler late;
    timeline.RegisterHandler(&late);
    EXPECT_TRUE(timeline.IsTicking());
    timeline.Stop();
    timeline.Wake();
    EXPECT_FALSE(timeline.IsTicking());
}

}  // namespace

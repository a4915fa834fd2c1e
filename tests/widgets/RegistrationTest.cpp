// Registration of the program's widget classes and their class tests.
#include "WidgetTestSupport.h"

using namespace SOUI;

namespace {

class Registration : public uitest::UiTest {};

TEST_F(Registration, RegistersEveryClassOnceAndKeepsEarlierTags) {
    // A class registered earlier under one of the tags stays.
    ASSERT_TRUE(app->Factory().Register("editex", "edit", [] { return new SEdit; }));
    EXPECT_EQ(RegisterExtensionWidgets(app->Factory()), 6);
    std::unique_ptr<SWindow> edit(app->Factory().Create("editex"));
    EXPECT_EQ(dynamic_cast<SEditEx*>(edit.get()), nullptr);
    EXPECT_EQ(RegisterExtensionWidgets(app->Factory()), 0);
    for (const char* tag : {"shellnotifyicon", "page2", "tabctrl2", "anmimg", "radioex", "checkex"})
        EXPECT_TRUE(app->Factory().IsRegistered(tag)) << tag;
    EXPECT_FALSE(app->Factory().IsRegistered("cbimg"));
    EXPECT_EQ(app->Factory().BaseTag("tabctrl2"), "tabctrl");
    EXPECT_EQ(app->Factory().BaseTag("checkex"), "check");
}

TEST_F(Registration, LaterClassesJoinInTheirPlace) {
    int made = 0;
    PictureWidgetCreators later{[&] {
                                    ++made;
                                    return new SWindow;
                                },
                                [&] {
                                    ++made;
                                    return new SWindow;
                                }};
    EXPECT_EQ(RegisterExtensionWidgets(app->Factory(), later), 9);
    EXPECT_EQ(app->Factory().BaseTag("cbimg"), "window");
    EXPECT_EQ(app->Factory().BaseTag("stimage"), "window");
    delete app->Factory().Create("stimage");
    EXPECT_EQ(made, 1);
}

TEST_F(Registration, ClassTestsAcceptTheBaseTags) {
    auto check = [](SWindow* widget, std::vector<const char*> names) {
        std::unique_ptr<SWindow> owned(widget);
        EXPECT_STREQ(widget->GetObjectClass(), names[0]);
        for (const char* n : names) EXPECT_TRUE(widget->IsClass(n)) << names[0] << " " << n;
        EXPECT_FALSE(widget->IsClass("combobox")) << names[0];
    };
    check(new SEditEx, {"editex", "edit", "window"});
    check(new SCheckBoxEx, {"checkex", "check", "window"});
    check(new SRadioBoxEx, {"radioex", "radio", "window"});
    check(new STabCtrl2, {"tabctrl2", "tabctrl", "window"});
    check(new STabPage2, {"page2", "page", "window"});
    check(new SAnimImg, {"anmimg", "window"});
    check(new SShellNotifyIcon, {"shellnotifyicon", "window"});
    EXPECT_FALSE(SCheckBoxEx().IsClass("radio"));
    EXPECT_FALSE(SEditEx().IsClass("checkex"));
}

}  // namespace

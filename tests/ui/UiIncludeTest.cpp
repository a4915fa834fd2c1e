// Layouts that include themselves more than once per level of depth.
#include "UiTestSupport.h"

using namespace SOUI;

namespace {

int CountNamed(const SWindow* window, const QString& name) {
    int n = window->GetName() == name;
    for (const SWindow* child : window->Children()) n += CountNamed(child, name);
    return n;
}

class SelfInclusion : public uitest::UiTest {
protected:
    // Builds a window whose root includes a layout that holds one "level" window and includes
    // itself `times` times; returns how many levels were built.
    int LevelsBuilt(int times) {
        QByteArray part = "<include><window name='level' size='1,1'/>";
        for (int i = 0; i < times; ++i) part += "<include src='LAYOUT:test_self'/>";
        part += "</include>";
        app->GetResProvider().AddBuiltin("LAYOUT:test_self", part);
        app->GetResProvider().AddBuiltin(
            "LAYOUT:test_self_host",
            "<SOUI width='50' height='50'><root><include src='LAYOUT:test_self'/></root></SOUI>");
        SHostWnd host("LAYOUT:test_self_host");
        host.Create();
        const int levels = host.GetRoot() ? CountNamed(host.GetRoot(), "level") : 0;
        host.DestroyWindow();
        return levels;
    }
};

TEST_F(SelfInclusion, RepeatedSelfIncludesStayBounded) {
    // Unbounded, two includes per level build 2^16 levels and three build 3^16.
    for (int times : {2, 3, 8}) {
        SCOPED_TRACE(times);
        const int levels = LevelsBuilt(times);
        EXPECT_GE(levels, 16);  // the first chain still goes all the way down
        EXPECT_LE(levels, 256);
    }
}

TEST_F(SelfInclusion, EachWindowHasItsOwnBound) {
    const int first = LevelsBuilt(2);
    EXPECT_EQ(LevelsBuilt(2), first);
}

}  // namespace

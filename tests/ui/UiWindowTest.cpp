// Host windows and their messages, posting across threads, modal dialogs, message boxes,
// menus, the message filter and the shape store's window deliveries.
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>
#include <thread>

#include "UiTestSupport.h"
#include "store/Shape.h"

using namespace SOUI;

namespace {

struct Seen {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageHost : public SHostDialog {
public:
    using SHostDialog::SHostDialog;
    std::vector<Seen> seen;
    std::vector<Qt::HANDLE> threads;
    bool consumeClose = false;
    std::function<void()> onInit;

protected:
    bool ProcessWindowMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override {
        seen.push_back({msg, w, l});
        threads.push_back(QThread::currentThreadId());
        if (msg == WM_INITDIALOG && onInit) onInit();
        if (msg == WM_CLOSE && consumeClose) {
            result = 0;
            return true;
        }
        return msg == WM_USER + 1;
    }
    bool OnEvent(EventArgs* e) override {
        if (e->id == EVT_CMD && e->nameFrom == "btnDelete") {
            EndDialog(65577);
            return true;
        }
        return false;
    }
};

bool SawMessage(const MessageHost& h, UINT msg) {
    for (const Seen& s : h.seen)
        if (s.msg == msg) return true;
    return false;
}

class HostWindows : public uitest::UiTest {};

TEST_F(HostWindows, CloseIsOfferedToTheProgramThenDestroysTheWindow) {
    MessageHost host("LAYOUT:test_dialog");
    const HWND wnd = host.Create();
    EXPECT_EQ(SHostWnd::FromHandle(wnd), &host);
    host.consumeClose = true;
    host.SendMessage(WM_CLOSE);
    EXPECT_TRUE(host.IsWindow());
    host.consumeClose = false;
    host.SendMessage(WM_CLOSE);
    EXPECT_FALSE(host.IsWindow());
    EXPECT_TRUE(SawMessage(host, WM_DESTROY));
    EXPECT_EQ(SHostWnd::FromHandle(wnd), nullptr);
    EXPECT_FALSE(SHostWnd::PostMessage(wnd, WM_USER, 0, 0));
}

TEST_F(HostWindows, SystemCommandsMinimiseMaximiseAndRestore) {
    SHostWnd host("LAYOUT:test_main");
    host.Create();
    host.ShowWindow(SW_SHOWNORMAL);
    host.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    EXPECT_TRUE(host.IsZoomed());
    host.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(host.IsZoomed());
    host.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(host.IsIconic());
    host.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(host.IsIconic());
    host.ShowWindow(SW_HIDE);
    EXPECT_FALSE(host.IsVisible());
}

TEST_F(HostWindows, CloseButtonWithoutProgramHandlingClosesTheWindow) {
    SHostWnd host("LAYOUT:test_main");
    host.Create();
    host.FindChildByName2<SButton>("btn_close")->Click();
    EXPECT_FALSE(host.IsWindow());
}

TEST_F(HostWindows, LoopEndsWhenTheMainWindowIsDestroyed) {
    SHostWnd host("LAYOUT:test_main");
    const HWND wnd = host.Create();
    host.ShowWindow(SW_SHOWNORMAL);
    QTimer guard;  // ends a loop that would otherwise hang the test
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    QTimer::singleShot(0, [&] { host.FindChildByName2<SButton>("btn_close")->Click(); });
    EXPECT_EQ(app->Run(wnd), 0);
    EXPECT_FALSE(host.IsWindow());
    // A main window already gone runs no loop at all.
    EXPECT_EQ(app->Run(wnd), 0);
    guard.stop();
}

TEST_F(HostWindows, CentresOnTheScreenWorkArea) {
    SHostWnd host("LAYOUT:test_main");
    host.Create();
    host.CenterWindow();
    const QRect area = host.GetFrame()->screen()->availableGeometry();
    const QRect frame = host.GetFrame()->frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 1);
}

TEST_F(HostWindows, PostedMessagesArriveLaterOnTheUiThread) {
    MessageHost host("LAYOUT:test_dialog");
    const HWND wnd = host.Create();
    Qt::HANDLE poster = nullptr;
    std::thread worker([&] {
        poster = QThread::currentThreadId();
        EXPECT_TRUE(SHostWnd::PostMessage(wnd, WM_USER + 1, 5, 6));
    });
    worker.join();
    EXPECT_FALSE(SawMessage(host, WM_USER + 1));
    uitest::ProcessEvents();
    ASSERT_TRUE(SawMessage(host, WM_USER + 1));
    EXPECT_EQ(host.seen.back().wParam, 5u);
    EXPECT_EQ(host.seen.back().lParam, 6);
    EXPECT_EQ(host.threads.back(), QThread::currentThreadId());
    EXPECT_NE(host.threads.back(), poster);
}

TEST_F(HostWindows, MessagePostedToADestroyedWindowIsReleasedNotDelivered) {
    MessageHost host("LAYOUT:test_dialog");
    const HWND wnd = host.Create();
    int released = 0;
    ASSERT_TRUE(SHostWnd::PostMessage(wnd, WM_USER + 1, 1, 2, [&] { ++released; }));
    ASSERT_TRUE(SHostWnd::PostMessage(wnd, WM_USER + 1, 3, 4, [&] { ++released; }));
    host.DestroyWindow();
    uitest::ProcessEvents();
    EXPECT_FALSE(SawMessage(host, WM_USER + 1));
    EXPECT_EQ(released, 2);
    // A delivered message keeps its payload for the handler.
    MessageHost other("LAYOUT:test_dialog");
    const HWND second = other.Create();
    ASSERT_TRUE(SHostWnd::PostMessage(second, WM_USER + 1, 1, 2, [&] { ++released; }));
    uitest::ProcessEvents();
    EXPECT_TRUE(SawMessage(other, WM_USER + 1));
    EXPECT_EQ(released, 2);
}

class Modal : public uitest::UiTest {};

TEST_F(Modal, ButtonsEndTheDialogWithTheirCodes) {
    for (const char* button : {"btnOK", "btnCancel", "btnDelete"}) {
        MessageHost dlg("LAYOUT:test_dialog");
        ScopedModalAnswerer answer([button](SHostDialog& d) {
            ASSERT_TRUE(d.IsModalRunning());
            d.FindChildByName2<SButton>(button)->Click();
        });
        const int code = dlg.DoModal();
        EXPECT_EQ(code, std::string(button) == "btnOK"       ? IDOK
                        : std::string(button) == "btnCancel" ? IDCANCEL
                                                             : 65577);
        EXPECT_TRUE(SawMessage(dlg, WM_INITDIALOG));
        EXPECT_FALSE(dlg.IsWindow());
    }
}

TEST_F(Modal, CloseRequestEndsWithCancel) {
    MessageHost dlg("LAYOUT:test_dialog");
    ScopedModalAnswerer answer([](SHostDialog& d) { d.SendMessage(WM_CLOSE); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// A program that destroys its dialog, and destroys it again from WM_DESTROY.
class SelfDestroying : public SHostDialog {
public:
    using SHostDialog::SHostDialog;
    int destroys = 0;

protected:
    bool ProcessWindowMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        if (msg != WM_DESTROY) return false;
        ++destroys;
        DestroyWindow();
        return true;
    }
};

TEST_F(Modal, DestroyingTheWindowEndsTheLoopEvenWhenTheProgramTakesWmDestroy) {
    SelfDestroying dlg("LAYOUT:test_dialog");
    ScopedModalAnswerer answer([](SHostDialog& d) { d.DestroyWindow(); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.destroys, 1);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(Modal, DialogEndedDuringInitialisationNeverRunsALoop) {
    MessageHost dlg("LAYOUT:test_dialog");
    int answered = 0;
    ScopedModalAnswerer answer([&](SHostDialog&) { ++answered; });
    dlg.onInit = [&] { dlg.EndDialog(42); };
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(answered, 0);
}

TEST_F(Modal, MessageBoxReturnsThePressedButton) {
    QString shownText, shownCaption;
    bool cancelVisible = false;
    int pick = IDCANCEL;
    ScopedModalAnswerer answer([&](SHostDialog& d) {
        shownText = d.GetRoot()->FindChildByName("msgtext")->GetWindowText();
        shownCaption = d.GetRoot()->FindChildByName("msgtitle")->GetWindowText();
        cancelVisible = d.GetRoot()->FindChildByID(IDCANCEL)->IsVisible();
        static_cast<SButton*>(d.GetRoot()->FindChildByID(pick))->Click();
    });
    EXPECT_EQ(SMessageBox(kNoWindow, "Please insert USB device", "Warning", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(shownText, "Please insert USB device");
    EXPECT_EQ(shownCaption, "Warning");
    EXPECT_TRUE(cancelVisible);
    pick = IDOK;
    EXPECT_EQ(SMessageBox(kNoWindow, "t", "c", MB_OKCANCEL), IDOK);
    EXPECT_EQ(SMessageBox(kNoWindow, "t", "c", MB_OK), IDOK);
    EXPECT_FALSE(cancelVisible);
}

TEST_F(Modal, AThreeWayQuestionNamesItsFirstTwoAnswers) {
    QString yes, no;
    int pick = IDNO;
    ScopedModalAnswerer answer([&](SHostDialog& d) {
        yes = d.GetRoot()->FindChildByID(IDOK)->GetWindowText();
        SWindow* noButton = d.GetRoot()->FindChildByID(IDNO);
        no = noButton->IsVisible() ? noButton->GetWindowText() : QString();
        if (pick == IDCANCEL)
            d.SendMessage(WM_CLOSE);
        else
            static_cast<SButton*>(d.GetRoot()->FindChildByID(pick == IDYES ? IDOK : pick))->Click();
    });
    for (int wanted : {IDNO, IDYES, IDCANCEL}) {
        pick = wanted;
        EXPECT_EQ(
            SMessageBox(kNoWindow, "Erase?", "Reset", MB_YESNOCANCEL, "Export first", "Reset now"),
            wanted);
        EXPECT_EQ(yes, "Export first");
        EXPECT_EQ(no, "Reset now");
    }
    // Other boxes keep the third button hidden.
    pick = IDOK;
    SMessageBox(kNoWindow, "t", "c", MB_OKCANCEL);
    EXPECT_TRUE(no.isEmpty());
}

// WCAG contrast of two colours: 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The contrast of a control's text as drawn: its most frequent colour is the background, the
// colour farthest from it the text.
double DrawnContrast(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    if (counts.empty()) return 0;
    const QColor background(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                return a.second < b.second;
                            })->first);
    double best = 1;
    for (const auto& [colour, count] : counts)
        best = std::max(best, ContrastRatio(background, QColor(colour)));
    return best;
}

TEST_F(Modal, MessageBoxTextIsDrawnWithReadableContrast) {
    std::map<std::string, double> contrast;
    ScopedModalAnswerer answer([&](SHostDialog& d) {
        d.GetFrame()->resize(400, 180);
        const QImage shot = d.GetFrame()->grab().toImage();
        for (const char* name : {"msgtitle", "msgtext", "msgbtn_ok", "msgbtn_cancel"}) {
            SWindow* control = d.GetRoot()->FindChildByName(name);
            ASSERT_NE(control, nullptr) << name;
            const QRect place(control->mapTo(d.GetFrame(), QPoint(0, 0)), control->size());
            contrast[name] = DrawnContrast(shot.copy(place));
        }
        d.EndDialog(IDCANCEL);
    });
    SMessageBox(kNoWindow, "Please insert USB device", "Warning", MB_OKCANCEL);
    ASSERT_EQ(contrast.size(), 4u);
    for (const auto& [name, ratio] : contrast) EXPECT_GE(ratio, 4.5) << name;
}

class Menus : public uitest::UiTest {};

TEST_F(Menus, ChosenItemReachesTheOwnerAsCommand) {
    MessageHost owner("LAYOUT:test_dialog");
    const HWND wnd = owner.Create();
    SMenu menu;
    ASSERT_TRUE(menu.LoadMenu("SMENU:menu_test"));
    EXPECT_EQ(menu.CommandIds(), (std::vector<int>{1, 7, 6}));
    std::vector<int> offered;
    SMenuBase::SetMenuAnswerer([&](const std::vector<int>& ids) {
        offered = ids;
        return 7;
    });
    EXPECT_EQ(menu.TrackPopupMenu(0, 10, 10, wnd), 7);
    EXPECT_EQ(offered, (std::vector<int>{1, 7, 6}));
    uitest::ProcessEvents();
    ASSERT_TRUE(SawMessage(owner, WM_COMMAND));
    EXPECT_EQ(owner.seen.back().msg, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(LOWORD(owner.seen.back().wParam), 7u);
    EXPECT_EQ(HIWORD(owner.seen.back().wParam), 0u);
}

TEST_F(Menus, DismissedOrDisabledChoiceSendsNothing) {
    MessageHost owner("LAYOUT:test_dialog");
    const HWND wnd = owner.Create();
    SMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu("smenuex:menu_test"));
    EXPECT_EQ(menu.ItemText(11), "First");
    SMenuBase::SetMenuAnswerer([](const std::vector<int>&) { return 0; });
    EXPECT_EQ(menu.TrackPopupMenu(0, 0, 0, wnd), 0);
    SMenuBase::SetMenuAnswerer([](const std::vector<int>&) { return 12; });
    EXPECT_EQ(menu.TrackPopupMenu(0, 0, 0, wnd), 0);
    SMenuBase::SetMenuAnswerer([](const std::vector<int>&) { return 11; });
    EXPECT_EQ(menu.TrackPopupMenu(0, 0, 0, wnd), 11);
    uitest::ProcessEvents();
    int commands = 0;
    for (const Seen& s : owner.seen) commands += s.msg == WM_COMMAND;
    EXPECT_EQ(commands, 1);
}

TEST_F(Menus, KindFollowsTheRootElement) {
    EXPECT_EQ(MenuKindOf("SMENU:menu_test"), MenuKind::Classic);
    EXPECT_EQ(MenuKindOf("SMENUEX:menu_test"), MenuKind::Extended);
    EXPECT_EQ(MenuKindOf("LAYOUT:test_dialog"), MenuKind::None);
    SMenu classic;
    EXPECT_FALSE(classic.LoadMenu("SMENUEX:menu_test"));
    ASSERT_TRUE(app->LoadTranslator("translator:lang_cn"));
    SMenu translated;
    ASSERT_TRUE(translated.LoadMenu("SMENU:menu_test"));
    EXPECT_EQ(translated.ItemText(1), QString::fromUtf8("打开"));
}

class RecordingFilter : public IMessageFilter {
public:
    BOOL PreTranslateMessage(MSG* msg) override {
        messages.push_back(msg->message);
        points.push_back(msg->pt);
        return 0;
    }
    std::vector<UINT> messages;
    std::vector<POINT> points;
};

class Filter : public uitest::UiTest {};

TEST_F(Filter, SeesMouseInputOnceAsWindowMessages) {
    SHostWnd host("LAYOUT:test_main");
    host.Create();
    host.ShowWindow(SW_SHOWNORMAL);
    uitest::ProcessEvents();
    RecordingFilter filter;
    app->GetMsgLoop().AddMessageFilter(&filter);
    // Over a child of a child, so the input travels up through several widgets.
    QWidget* target = host.GetRoot()->FindChildByName("deep_leaf");
    QWidget* panel = host.GetRoot()->FindChildByName("panel");
    QTest::mouseMove(panel, QPoint(30, 150));
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(30, 150));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(30, 150));
    QTest::mousePress(target, Qt::RightButton, {}, QPoint(0, 0));
    QTest::mouseRelease(target, Qt::RightButton, {}, QPoint(0, 0));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(host.GetFrame(), &leave);
    app->GetMsgLoop().RemoveMessageFilter(&filter);
    QTest::mouseMove(panel, QPoint(31, 151));
    std::vector<UINT> seen;
    for (UINT m : filter.messages)
        if (seen.empty() || m != WM_MOUSEMOVE || seen.back() != WM_MOUSEMOVE) seen.push_back(m);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                       WM_RBUTTONUP, WM_MOUSELEAVE}));
    // The point is in screen coordinates.
    const QPoint expected = panel->mapToGlobal(QPoint(30, 150));
    ASSERT_GE(filter.points.size(), 2u);
    EXPECT_EQ(filter.points[1].x, expected.x());
    EXPECT_EQ(filter.points[1].y, expected.y());
}

// A screen-side holder whose deliveries go through its window.
class Holder {
public:
    explicit Holder(const char* name) : shape(name) {
        shape.bind(this, [this](int, const int* data, uint32_t, uint32_t, uint32_t, uint32_t, int) {
            values.push_back(data[0]);
            threads.push_back(QThread::currentThreadId());
        });
    }
    ShapeType<int, -1, 1, 0> shape;
    std::vector<int> values;
    std::vector<Qt::HANDLE> threads;
};

class ShapePosting : public uitest::UiTest {};

TEST_F(ShapePosting, ChangesForAWindowRunOnTheUiThread) {
    MessageHost host("LAYOUT:test_dialog");
    const HWND wnd = host.Create();
    Holder screen("ui.posting.delivered");
    ShapeType<int, -1, 1, 0> device("ui.posting.delivered");
    ShapeBase::attachWindow(&screen, wnd);
    std::thread worker([&] { device.set(9, 0, false, false); });
    worker.join();
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_TRUE(screen.values.empty());
    uitest::ProcessEvents();
    ASSERT_EQ(screen.values, (std::vector<int>{9}));
    EXPECT_EQ(screen.threads[0], QThread::currentThreadId());
    EXPECT_TRUE(SawMessage(host, UM_SHAPE_CHANGE));
    ShapeBase::detachWindow(&screen);
}

TEST_F(ShapePosting, ChangesForADestroyedWindowAreDropped) {
    MessageHost host("LAYOUT:test_dialog");
    const HWND wnd = host.Create();
    Holder screen("ui.posting.dropped");
    ShapeType<int, -1, 1, 0> device("ui.posting.dropped");
    ShapeBase::attachWindow(&screen, wnd);
    device.set(4, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    host.DestroyWindow();  // the change is still queued for the window
    device.set(5, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    uitest::ProcessEvents();
    EXPECT_TRUE(screen.values.empty());
    EXPECT_FALSE(SawMessage(host, UM_SHAPE_CHANGE));
    ShapeBase::detachWindow(&screen);
}

}  // namespace

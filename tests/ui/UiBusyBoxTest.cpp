// Work the user waits for: it runs beside the window's thread, which keeps handling events,
// and the call returns only once the work is done, whatever ended the box. Work the user does
// not wait for runs in turn on a work thread, its replies back on the window's thread.
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "UiTestSupport.h"
#include "ui/BusyBox.h"
#include "ui/HostDialog.h"
#include "ui/SWindow.h"
#include "ui/WorkThread.h"

using namespace SOUI;

namespace {

class BusyBox : public uitest::UiTest {};

// Waits up to a few seconds for `flag`, as work would wait for a slow keyboard.
bool WaitFor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 500 && !flag; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return flag;
}

TEST_F(BusyBox, TheWindowsThreadKeepsHandlingEventsWhileTheWorkRuns) {
    std::atomic<bool> uiRan{false};
    bool sawUi = false;
    bool finished = false;
    std::thread::id workThread;
    QString text;
    bool buttonsHidden = true;
    ScopedModalAnswerer look([&](SHostDialog& box) {
        text = box.GetRoot()->FindChildByName("msgtext")->GetWindowText();
        for (int id : {IDOK, IDCANCEL, IDNO})
            if (SWindow* button = box.GetRoot()->FindChildByID(id))
                buttonsHidden = buttonsHidden && !button->IsVisible();
        box.SendMessage(WM_CLOSE);  // refused: the box goes with the work
    });
    QTimer::singleShot(0, [&] { uiRan = true; });
    SRunBusy(kNoWindow, "Restoring the keyboard…", "Import settings", [&] {
        workThread = std::this_thread::get_id();
        sawUi = WaitFor(uiRan);
        finished = true;
    });
    EXPECT_TRUE(finished);
    EXPECT_TRUE(sawUi) << "the window's thread was blocked while the work ran";
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_EQ(text, "Restoring the keyboard…");
    EXPECT_TRUE(buttonsHidden);
}

TEST_F(BusyBox, ABoxEndedEarlyStillReturnsOnlyAfterTheWork) {
    std::atomic<bool> release{false};
    std::atomic<bool> finished{false};
    ScopedModalAnswerer end([](SHostDialog& box) { box.EndDialog(IDCANCEL); });
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        release = true;
    });
    SRunBusy(kNoWindow, "Reading the keyboard…", "Export settings", [&] {
        WaitFor(release);
        finished = true;
    });
    EXPECT_TRUE(finished);
    releaser.join();
}

class WorkThread : public uitest::UiTest {};

TEST_F(WorkThread, JobsRunInTurnBesideTheWindowAndReplyOnItsThread) {
    const std::thread::id window = std::this_thread::get_id();
    std::vector<int> ran;
    std::vector<int> replied;
    bool beside = true;
    bool onWindow = true;
    auto job = [&](int n) {
        return [&, n]() -> SWorkThread::Reply {
            beside = beside && std::this_thread::get_id() != window;
            ran.push_back(n);
            return [&, n] {
                onWindow = onWindow && std::this_thread::get_id() == window;
                replied.push_back(n);
            };
        };
    };
    {
        SWorkThread work;
        work.Post(job(0));
        // A job that throws loses its reply, not the jobs after it.
        work.Post([]() -> SWorkThread::Reply { throw std::runtime_error("failed"); });
        work.Post(job(1));
        ASSERT_TRUE(QTest::qWaitFor([&] { return replied.size() == 2; }));
        // Still done when the work thread goes at once; its reply is dropped.
        work.Post(job(2));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(replied, (std::vector<int>{0, 1}));
    EXPECT_TRUE(beside);
    EXPECT_TRUE(onWindow);
}

}  // namespace

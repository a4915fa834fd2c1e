// Work the user waits for: it runs beside the window's thread, which keeps handling events,
// and the call returns only once the work is done, whatever ended the box.
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "UiTestSupport.h"
#include "ui/BusyBox.h"
#include "ui/HostDialog.h"
#include "ui/SWindow.h"

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

}  // namespace

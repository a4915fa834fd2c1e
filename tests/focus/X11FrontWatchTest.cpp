// The names the X11 watch reports for the window in front: its class, and the program behind it
// when the window is of this machine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "focus/FrontWatch.h"
#include "support/X11Windows.h"
#include "support/XvfbServer.h"

namespace {

using Names = std::vector<std::string>;

std::string ThisMachine() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

TEST(X11FrontWatch, NamesTheClassAndTheProgramOfThisMachine) {
    testsupport::XvfbServer server;
    if (server.display().empty()) GTEST_SKIP() << "no Xvfb";
    setenv("DISPLAY", server.display().c_str(), 1);
    testsupport::X11Windows desktop(server.display());
    ASSERT_TRUE(desktop.connected());
    desktop.BringForward(XCB_WINDOW_NONE);

    std::mutex mutex;
    std::condition_variable reported;
    std::vector<Names> reports;
    const auto watch = focus::WatchX11([&](const Names& names) {
        std::lock_guard lock(mutex);
        reports.push_back(names);
        reported.notify_all();
    });
    ASSERT_TRUE(watch);

    const auto pid = static_cast<std::uint32_t>(getpid());
    const std::string here = ThisMachine();
    const struct {
        const char* what;
        std::string wmClass;
        std::uint32_t pid;
        std::string machine;
        Names expected;
    } cases[] = {
        {"class and program",
         std::string("term\0Term\0", 10),
         pid,
         here,
         {"term", "Term", "test_focus"}},
        {"another machine's process",
         std::string("edit\0Edit\0", 10),
         pid,
         "elsewhere",
         {"edit", "Edit"}},
        {"no machine named", std::string("mail\0Mail\0", 10), pid, "", {"mail", "Mail"}},
        {"no class", "", pid, here, {"test_focus"}},
        {"the program is the class",
         std::string("x\0Test_Focus\0", 13),
         pid,
         here,
         {"x", "Test_Focus"}},
        {"a process gone", std::string("gone\0Gone\0", 10), 0x7ffffff0u, here, {"gone", "Gone"}},
    };
    for (const auto& c : cases) {
        desktop.BringForward(desktop.Window(c.wmClass, c.pid, c.machine));
        std::unique_lock lock(mutex);
        ASSERT_TRUE(
            reported.wait_for(lock, std::chrono::seconds(5),
                              [&] { return !reports.empty() && reports.back() == c.expected; }))
            << c.what << ": last report has " << (reports.empty() ? 0 : reports.back().size())
            << " names";
    }
}

}  // namespace

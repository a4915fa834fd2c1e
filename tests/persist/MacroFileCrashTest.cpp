#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "files/TempFolder.h"
#include "persist/MacroCrashSets.h"
#include "persist/MacroFile.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Groups = std::list<MacroRecordGroup>;
using files_test::TempFolder;

// The saver program, which runs MacroFile in a process of its own: a process with the
// dispatcher's threads cannot safely fork.
constexpr const char* kSaver = KEYLUME_MACRO_SAVER;

// A saver process writing the crash sets into one file; killed when it goes out of scope.
class Saver {
public:
    explicit Saver(const fs::path& file) {
        int pipeEnds[2];
        if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        std::string program = kSaver;
        std::string target = file.string();
        char* argv[] = {program.data(), target.data(), nullptr};
        if (::posix_spawn(&pid_, kSaver, &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        output_ = pipeEnds[0];
    }
    ~Saver() {
        Kill();
        if (output_ >= 0) {
            ::close(output_);
        }
    }
    Saver(const Saver&) = delete;
    Saver& operator=(const Saver&) = delete;

    // True once the saver says its first save is complete.
    bool WaitReady(std::chrono::milliseconds timeout) const {
        std::string said;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (said.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd wait{output_, POLLIN, 0};
            if (left <= 0ms || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
                return false;
            }
            char buffer[64];
            const ssize_t got = ::read(output_, buffer, sizeof buffer);
            if (got <= 0) {
                return false;  // it ended before saving
            }
            said.append(buffer, static_cast<size_t>(got));
        }
        return said == "ready\n";
    }

    // Kills the saver and reaps it; true when the kill is what ended it.
    bool Kill() {
        if (pid_ <= 0) {
            return false;
        }
        ::kill(pid_, SIGKILL);
        int status = 0;
        const pid_t reaped = ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return reaped > 0 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// Publishes `sets` in turn through the store, as the macro editor does, one save each round;
// returns how long one save takes here.
std::chrono::nanoseconds SaveInTurn(const fs::path& file, const std::vector<Groups>& sets,
                                    int rounds) {
    const MacroFile macro(file);
    MacroFile::GroupsShape editor;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        editor.assign(&sets[round % sets.size()], 1, 0, false, true);
        EXPECT_TRUE(ShapeDispatcher::waitIdle());
    }
    return (std::chrono::steady_clock::now() - start) / rounds;
}

// Hidden files beside the target: temporaries of replacements that never finished.
size_t Temporaries(const fs::path& file) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        count += entry.path().filename().string().rfind("." + file.filename().string(), 0) == 0;
    }
    return count;
}

TEST(MacroFileCrashTest, KilledWhileSavingLeavesTheOldOrTheNewGroupsWhole) {
    constexpr int kKills = 100;
    constexpr unsigned kSeed = 4242;
    const TempFolder folder;
    const fs::path file = folder / "macro.xml";
    const Groups oldSet = persist_test::OldCrashSet();
    const Groups newSet = persist_test::NewCrashSet();

    // Ends with the old set in the file.
    const std::chrono::nanoseconds save = SaveInTurn(file, {oldSet, newSet}, 5);
    // Spread over two saves, so that every point of a save and the gap between saves is hit.
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<std::chrono::nanoseconds::rep> delay(0, 2 * save.count());

    int holdsOld = 0;
    int holdsNew = 0;
    int killedMidWrite = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        {
            Saver saver(file);
            ASSERT_TRUE(saver.WaitReady(30s)) << "kill " << kill;
            std::this_thread::sleep_for(std::chrono::nanoseconds(delay(random)));
            ASSERT_TRUE(saver.Kill()) << "kill " << kill;
        }
        ASSERT_LE(Temporaries(file), 1u) << "kill " << kill;
        killedMidWrite += Temporaries(file) == 1;

        const MacroFile reloaded(file);
        EXPECT_EQ(reloaded.settings().current(), MacroRecordParam{}) << "kill " << kill;
        const Groups& held = reloaded.groups().current();
        holdsOld += held == oldSet;
        holdsNew += held == newSet;
        ASSERT_TRUE(held == oldSet || held == newSet) << "kill " << kill;
    }
    std::printf("%d kills in %.1f ms saves: old set %d, new set %d, killed mid-write %d\n", kKills,
                std::chrono::duration<double, std::milli>(save).count(), holdsOld, holdsNew,
                killedMidWrite);
    // Both outcomes show that the kills landed at different points of the saving.
    EXPECT_GT(holdsOld, 0);
    EXPECT_GT(holdsNew, 0);

    // What the dead savers left behind does not stand in the way of the next save, nor stays.
    SaveInTurn(file, {newSet}, 1);
    EXPECT_EQ(MacroFile(file).groups().current(), newSet);
    EXPECT_EQ(Temporaries(file), 0u);
}

}  // namespace

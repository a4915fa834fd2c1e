// Saves the old and the new crash set into the given macro file in turn, through the store as
// the macro editor publishes them, until it is killed. Writes "ready" once the first save is
// complete, so that the killer knows saving is under way.
#include <sys/prctl.h>

#include <csignal>
#include <cstdio>

#include "persist/MacroCrashSets.h"
#include "persist/MacroFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MACRO_FILE\n", argv[0]);
        return 2;
    }
    // Ends with the test that started it, should the test die first.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const MacroFile file(argv[1]);
    MacroFile::GroupsShape editor;
    const std::list<MacroRecordGroup> sets[] = {persist_test::OldCrashSet(),
                                                persist_test::NewCrashSet()};
    for (unsigned round = 0;; ++round) {
        editor.assign(&sets[round % 2], 1, 0, false, true);
        if (!ShapeDispatcher::waitIdle()) {
            return 1;
        }
        if (round == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

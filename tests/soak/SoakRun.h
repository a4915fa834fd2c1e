#pragma once
#include <string>

// One soak run: the random actions, then the checks, with a report on standard output.

struct SoakOptions {
    long actions = 10000;
    unsigned seed = 1;
    bool report = false;      // progress and figures on the way, not only the verdict
    long reportEvery = 1000;  // actions between progress lines
    std::string only;  // when set, only the actions of this name: to find what memory grows with
};

// 0 when every check passed, 1 when one failed, 2 when the program could not be started.
int RunSoak(const SoakOptions& options);

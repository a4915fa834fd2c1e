// keylume_soak [--actions N] [--seed S] [--report] [--report-every N] [--only ACTION]
#include <QApplication>
#include <QPixmapCache>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SoakRun.h"

namespace {

constexpr int kPixmapCacheKiB = 1024;

bool ParseOptions(int argc, char** argv, SoakOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--report") == 0) {
            options.report = true;
        } else if (std::strcmp(argv[i], "--actions") == 0 && hasValue) {
            options.actions = std::strtol(argv[++i], nullptr, 10);
            if (options.actions <= 0) return false;
        } else if (std::strcmp(argv[i], "--report-every") == 0 && hasValue) {
            options.reportEvery = std::max(1L, std::strtol(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--only") == 0 && hasValue) {
            options.only = argv[++i];
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            options.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    SoakOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: keylume_soak [--actions N] [--seed S] [--report] [--report-every N] "
                     "[--only ACTION]\n");
        return 2;
    }
    QApplication application(argc, argv);
    // The style's pixmap cache fills up to its limit (10 MB by default) over the first
    // thousands of actions: bounded, yet as large as the leaks the run looks for.
    QPixmapCache::setCacheLimit(kPixmapCacheKiB);
    std::printf("soak: %ld actions, seed %u\n", options.actions, options.seed);
    std::fflush(stdout);
    return RunSoak(options);
}

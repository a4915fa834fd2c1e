// One start of the program as far as the single instance goes: it takes the instance at the
// moment (milliseconds since the epoch) given by a line on standard input and reports on standard
// output what became of it ("first" or "second", then "shown" for every request to show itself). A
// first instance runs until its standard input closes.
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/SingleInstance.h"

namespace {

void Say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// False when the input ended before a whole line.
bool ReadLine(std::string& line) {
    char c = 0;
    while (read(STDIN_FILENO, &c, 1) == 1) {
        if (c == '\n') return true;
        line += c;
    }
    return false;
}

// Waits for the moment named by the line, so that several probes start at once.
bool WaitForTheMoment() {
    std::string line;
    if (!ReadLine(line)) return false;
    const auto moment = std::chrono::system_clock::time_point(
        std::chrono::milliseconds(std::strtoll(line.c_str(), nullptr, 10)));
    std::this_thread::sleep_until(moment);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("probe");
    SingleInstance instance(name, [](const QByteArray&) { Say("shown"); });
    Say("ready");
    if (!WaitForTheMoment()) return 1;
    if (!instance.Acquire()) {
        Say("second");
        return 0;
    }
    Say("first");
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char c = 0;
        if (read(STDIN_FILENO, &c, 1) <= 0) application.quit();
    });
    return application.exec();
}

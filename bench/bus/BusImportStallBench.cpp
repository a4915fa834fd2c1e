// The running program's window while a bus Import of the largest text a backup may be (an export
// of the emulated keyboard padded with spaces to the limit, restoring a changed keyboard) runs
// beside ten Status reads. The program's stall log (KEYLUME_STALL_LOG) tells the longest its
// window's thread went without turning its event loop meanwhile; gaps under the log's threshold
// are not written, so that threshold is the least this reports. Goal: under 50 ms.
//
// Also reported: the longest round trip of a cheap property read, asked again and again
// meanwhile. The window's thread answers it, but the trip also waits behind the import's text
// on the bus, so it is what a caller sees rather than the window's stall.
#include <benchmark/benchmark.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <vector>

#include "app/StallLog.h"

#include "bus/BusNames.h"
#include "persist/BackupText.h"
#include "support/BusDaemon.h"
#include "support/ProgramCopy.h"

namespace {

constexpr double kGoalMs = 50;
constexpr int kStatusReads = 10;
constexpr int kCallTimeoutMs = 120000;

QDBusMessage Method(const char* interface, const char* name, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(kBusService), QString::fromLatin1(kBusKeyboardPath),
        QString::fromLatin1(interface), QString::fromLatin1(name));
    message.setArguments(arguments);
    return message;
}

QDBusMessage PropertyRead(const char* name) {
    return Method("org.freedesktop.DBus.Properties", "Get",
                  {QString::fromLatin1(kBusInterface), QString::fromLatin1(name)});
}

QString StallFile(const QTemporaryDir& folder) {
    return folder.filePath("stalls.log");
}

// The program offscreen with the emulated keyboard, on the private bus, in folders of its own.
class RunningProgram {
public:
    explicit RunningProgram(const QTemporaryDir& folder) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("KEYLUME_STALL_LOG", StallFile(folder));
        env.insert("XDG_CONFIG_HOME", folder.path());
        env.insert("XDG_RUNTIME_DIR", folder.path());
        process_.setProcessEnvironment(env);
        const auto program =
            testsupport::CopyProgram(KEYLUME_EXECUTABLE, folder.filePath("program").toStdString());
        process_.start(QString::fromStdString(program.string()), {"--emulate"});
    }
    ~RunningProgram() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished();
    }

    // Once the window offers its keyboard on the bus and has read it.
    bool Ready(const QDBusConnection& bus) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 30000 && process_.state() != QProcess::NotRunning) {
            if (bus.interface()->isServiceRegistered(QString::fromLatin1(kBusService)).value()) {
                const QDBusMessage reply = bus.call(PropertyRead("Connected"));
                if (!reply.arguments().isEmpty() &&
                    reply.arguments().front().value<QDBusVariant>().variant().toBool())
                    return true;
            }
            QThread::msleep(20);
        }
        return false;
    }

private:
    QProcess process_;
};

using Clock = std::chrono::steady_clock;
struct Span {
    Clock::time_point begin;
    Clock::time_point end;
};

// The longest stall the program logged that overlaps one of the spans.
Clock::duration LongestStall(const QTemporaryDir& folder, const std::vector<Span>& spans) {
    std::ifstream log(StallFile(folder).toStdString());
    Clock::duration longest = StallLog::kReportedStall;
    long long end = 0;
    long long gap = 0;
    while (log >> end >> gap) {
        const Clock::time_point stop{Clock::duration(end)};
        const Clock::time_point start = stop - Clock::duration(gap);
        for (const Span& span : spans)
            if (start < span.end && stop > span.begin)
                longest = std::max(longest, Clock::duration(gap));
    }
    return longest;
}

bool AllFinished(const std::vector<QDBusPendingCall>& calls) {
    return std::all_of(calls.begin(), calls.end(), [](const auto& c) { return c.isFinished(); });
}

void BM_WindowStallDuringBusImport(benchmark::State& state) {
    bustest::BusDaemon daemon;
    QTemporaryDir folder;
    if (daemon.Start().isEmpty() || !folder.isValid()) {
        state.SkipWithError("no private bus");
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    RunningProgram program(folder);
    if (!program.Ready(bus)) {
        state.SkipWithError("the program did not offer its keyboard");
        return;
    }
    const QDBusMessage exported = bus.call(Method(kBusInterface, "Export", {}));
    if (exported.type() != QDBusMessage::ReplyMessage) {
        state.SkipWithError("no export");
        return;
    }
    QString text = exported.arguments().front().toString();
    const auto bytes = static_cast<qsizetype>(persist::kMaxBackupTextBytes);
    text += QString(bytes - text.toUtf8().size(), u' ');

    qint64 longestTripNs = 0;
    int probes = 0;
    std::vector<Span> spans;
    for (auto _ : state) {
        state.PauseTiming();
        // Something to restore, so the import sends reports and the window shows them.
        bus.call(Method(kBusInterface, "Set", {QVariantMap{{"mode", "Wave"}, {"speed", "2"}}}));
        bus.call(Method(kBusInterface, "Paint", {QStringList{"Esc", "A", "Space"}, "123456"}));
        state.ResumeTiming();
        spans.push_back({Clock::now(), {}});
        std::vector<QDBusPendingCall> calls = {
            bus.asyncCall(Method(kBusInterface, "Import", {text, false}), kCallTimeoutMs)};
        for (int i = 0; i < kStatusReads; ++i)
            calls.push_back(bus.asyncCall(PropertyRead("Status"), kCallTimeoutMs));
        while (!AllFinished(calls)) {
            QElapsedTimer roundTrip;
            roundTrip.start();
            bus.call(PropertyRead("Emulation"), QDBus::Block, kCallTimeoutMs);
            longestTripNs = std::max(longestTripNs, roundTrip.nsecsElapsed());
            ++probes;
        }
        spans.back().end = Clock::now();
        const QDBusMessage imported = calls.front().reply();
        if (imported.type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError(imported.errorMessage().toStdString().c_str());
            break;
        }
    }
    // A stall is logged at the beat after it, once the window's thread turns its loop again.
    bus.call(PropertyRead("Emulation"));
    QThread::msleep(20);
    const double longestMs =
        std::chrono::duration<double, std::milli>(LongestStall(folder, spans)).count();
    state.counters["longest_stall_ms"] = longestMs;
    state.counters["longest_round_trip_ms"] = static_cast<double>(longestTripNs) / 1e6;
    state.counters["probes"] = probes;
    state.counters["file_bytes"] = static_cast<double>(text.toUtf8().size());
    state.SetLabel(longestMs < kGoalMs ? "goal met" : "over the goal");
}
BENCHMARK(BM_WindowStallDuringBusImport)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

}  // namespace

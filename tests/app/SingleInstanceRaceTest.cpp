// Two starts at the same moment: one becomes the instance, the other shows it and ends.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <array>

namespace {

constexpr int kWaitMs = 10000;
constexpr qint64 kLeadMs = 50;

// One start, watched through its output.
class Start {
public:
    explicit Start(const QProcessEnvironment& env) {
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KEYLUME_INSTANCE_PROBE), {QStringLiteral("race.instance")});
    }
    ~Start() {
        process.closeWriteChannel();
        if (!process.waitForFinished(kWaitMs)) process.kill();
        process.waitForFinished(kWaitMs);
    }
    Start(const Start&) = delete;
    Start& operator=(const Start&) = delete;

    bool Said(const char* line) {
        output += process.readAllStandardOutput();
        return output.split('\n').contains(line);
    }
    bool Decided() { return Said("first") || Said("second"); }

    QProcess process;
    QByteArray output;
};

// Lets the processes run until done() holds or the time is up; returns done().
template <class Done>
bool WaitFor(std::array<Start*, 2> starts, Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > kWaitMs) return false;
        for (Start* start : starts) start->process.waitForReadyRead(5);
    }
    return true;
}

TEST(SingleInstanceRace, TwoStartsAtOnceMakeOneInstanceThatTheOtherBringsToTheFront) {
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Every round has folders of its own for the lock and the socket.
        QTemporaryDir folder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"})
            env.insert(name, folder.path());
        Start a(env), b(env);
        ASSERT_TRUE(WaitFor({&a, &b}, [&] { return a.Said("ready") && b.Said("ready"); }));
        // Both take the instance at the same moment, a little ahead.
        const QByteArray moment =
            QByteArray::number(QDateTime::currentMSecsSinceEpoch() + kLeadMs) + '\n';
        a.process.write(moment);
        b.process.write(moment);
        ASSERT_TRUE(WaitFor({&a, &b}, [&] { return a.Decided() && b.Decided(); }))
            << a.output.toStdString() << b.output.toStdString();

        ASSERT_NE(a.Said("first"), b.Said("first"))
            << "a: " << a.output.toStdString() << "b: " << b.output.toStdString();
        Start& first = a.Said("first") ? a : b;
        Start& second = a.Said("first") ? b : a;
        EXPECT_TRUE(second.process.state() == QProcess::NotRunning ||
                    second.process.waitForFinished(kWaitMs));
        EXPECT_EQ(second.process.exitCode(), 0);
        EXPECT_TRUE(WaitFor({&a, &b}, [&] { return first.Said("shown"); }))
            << "the second start did not bring the first to the front";
    }
}

}  // namespace

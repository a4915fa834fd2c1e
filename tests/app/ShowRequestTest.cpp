// What a later start hands the running instance: the request to show its window and the
// activation token it was launched with, decoded alike however it arrives.
#include <QLocalSocket>
#include <QTemporaryDir>

#include "AppTestSupport.h"
#include "app/ShowRequest.h"
#include "app/SingleInstance.h"

namespace {

TEST(ShowRequest, DecodesOnlyACompleteRequestAndOnlyAUsableToken) {
    struct Case {
        QByteArray received;
        std::optional<QByteArray> token;
    };
    const Case cases[] = {
        {"show\n", QByteArray()},
        {"activate abc_1:2\nshow\n", QByteArray("abc_1:2")},
        {"activate abc_1", std::nullopt},
        {"activate abc_1\n", std::nullopt},
        {"show", std::nullopt},
        {"activate a b\nshow\n", QByteArray()},
        {"activate \x01\x7f\nshow\n", QByteArray()},
        {"activate " + QByteArray(600, 'x') + "\nshow\n", QByteArray()},
        {"hello\nactivate t\nshow\nactivate u\n", QByteArray("t")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(showrequest::Decode(c.received), c.token) << c.received.toStdString();
    EXPECT_EQ(showrequest::Decode(showrequest::Encode("tok-9")), QByteArray("tok-9"));
    // A token that would break the message is left out, the request still goes.
    EXPECT_EQ(showrequest::Encode("two\nlines"), QByteArray("show\n"));
}

TEST(ShowRequest, TheTokenReachesTheRunningInstanceAndNoiseIsDropped) {
    QTemporaryDir folder;
    apptest::ScopedVariable runtime("XDG_RUNTIME_DIR", folder.path().toUtf8().constData());
    apptest::EnsureQApp();
    std::vector<QByteArray> shown;
    SingleInstance first(QStringLiteral("token"),
                         [&](const QByteArray& token) { shown.push_back(token); });
    ASSERT_TRUE(first.Acquire());

    QLocalSocket noise;
    noise.connectToServer(first.SocketPath());
    ASSERT_TRUE(noise.waitForConnected(1000));
    noise.write(QByteArray(showrequest::kMaxLength + 1, 'x'));
    noise.flush();
    EXPECT_TRUE(apptest::WaitUntil([&] { return noise.state() != QLocalSocket::ConnectedState; }));
    EXPECT_TRUE(shown.empty());

    ASSERT_TRUE(SingleInstance::AskRunningInstance(first.SocketPath(), "launcher-token-7"));
    ASSERT_TRUE(apptest::WaitUntil([&] { return !shown.empty(); }));
    EXPECT_EQ(shown, std::vector<QByteArray>{"launcher-token-7"});
}

}  // namespace

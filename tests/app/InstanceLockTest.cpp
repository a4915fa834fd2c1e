// The lock file of the single instance: who gets it, where it lives, and a start without one.
#include <gtest/gtest.h>
#include <sys/un.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/InstanceLock.h"
#include "app/SingleInstance.h"

namespace {

namespace fs = std::filesystem;

fs::path PathOf(const QTemporaryDir& folder, const char* name) {
    return fs::path(folder.path().toStdString()) / name;
}

TEST(InstanceLock, OneHolderAtATimeAndTheNextGetsItWhenTheHolderGoes) {
    QTemporaryDir folder;
    const fs::path file = PathOf(folder, "made/on/demand/x.lock");
    auto holder = std::make_unique<InstanceLock>(file);
    EXPECT_EQ(holder->TryTake(), InstanceLock::State::Held);
    EXPECT_EQ(holder->TryTake(), InstanceLock::State::Held);
    InstanceLock next(file);
    EXPECT_EQ(next.TryTake(), InstanceLock::State::Taken);
    holder.reset();
    EXPECT_EQ(next.TryTake(), InstanceLock::State::Held);
    EXPECT_EQ(fs::status(file.parent_path()).permissions(), fs::perms::owner_all);
}

TEST(InstanceLock, AFileInTheWayMakesItUnusable) {
    QTemporaryDir folder;
    QFile blocker(QString::fromStdString(PathOf(folder, "blocker").string()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    InstanceLock lock(PathOf(folder, "blocker/x.lock"));
    EXPECT_EQ(lock.TryTake(), InstanceLock::State::Unusable);
}

// Only a folder no other user can change holds the lock and the socket.
TEST(InstanceLock, LivesInTheRuntimeFolderOrElseTheUsersConfigFolder) {
    QTemporaryDir home;
    const fs::path own = PathOf(home, "runtime");
    const fs::path shared = PathOf(home, "shared");
    const fs::path group = PathOf(home, "group");
    const fs::path link = PathOf(home, "link");
    // Private; the first has just room for the socket "name-7" (107 bytes), the second one byte
    // too few.
    const std::size_t room = sizeof(sockaddr_un::sun_path) - 2 - std::string("name-7").size();
    const fs::path fits = own / std::string(room - own.native().size() - 1, 'd');
    const fs::path deep = fits.native() + "d";
    for (const fs::path& folder : {own, shared, group, fits, deep}) {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_all);
    }
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    fs::permissions(group, fs::perms::owner_all | fs::perms::group_all);
    fs::create_directory_symlink(own, link);
    apptest::ScopedVariable config("XDG_CONFIG_HOME", home.path().toUtf8().constData());
    const fs::path configFolder = PathOf(home, "keylume");
    const struct {
        const char* runtime;
        fs::path folder;
    } cases[] = {{own.c_str(), own},
                 {nullptr, configFolder},
                 {"", configFolder},
                 {"relative", configFolder},
                 {shared.c_str(), configFolder},
                 {group.c_str(), configFolder},
                 {link.c_str(), configFolder},
                 {fits.c_str(), fits},
                 {deep.c_str(), configFolder},
                 {"/nonexistent/run", configFolder}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.runtime ? c.runtime : "unset");
        apptest::ScopedVariable runtime("XDG_RUNTIME_DIR", c.runtime);
        EXPECT_EQ(InstanceLock::FileFor("name-7"), c.folder / "name-7.lock");
        // The socket's own name has the user's id, so its room differs at the edge.
        if (c.runtime == fits.c_str() || c.runtime == deep.c_str()) continue;
        EXPECT_EQ(SingleInstance::SocketPathFor("name").toStdString(),
                  (c.folder / SingleInstance::SocketNameFor("name").toStdString()).string());
    }
}

// A socket another user left in the shared temporary folder is never asked, even when the lock
// cannot be had and the socket alone decides.
TEST(InstanceLock, WithoutAUsableLockTheSocketStillDecides) {
    QTemporaryDir temporary, runtimeFolder;
    apptest::ScopedVariable tmp("TMPDIR", temporary.path().toUtf8().constData());
    apptest::ScopedVariable runtime("XDG_RUNTIME_DIR", runtimeFolder.path().toUtf8().constData());
    apptest::EnsureQApp();
    const QString name = QStringLiteral("nolock");
    fs::create_directory(InstanceLock::FileFor(SingleInstance::SocketNameFor(name).toStdString()));
    QLocalServer squatter;
    ASSERT_TRUE(
        squatter.listen(QDir(temporary.path()).filePath(SingleInstance::SocketNameFor(name))));
    SingleInstance first(name);
    ASSERT_TRUE(first.Acquire());
    EXPECT_TRUE(first.IsFirst());
    SingleInstance second(name);
    EXPECT_FALSE(second.Acquire());
    apptest::ProcessEvents();
    EXPECT_FALSE(squatter.hasPendingConnections());
}

}  // namespace

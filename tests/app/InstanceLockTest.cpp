// The lock file of the single instance: who gets it, where it lives, and a start without one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/InstanceLock.h"
#include "app/SingleInstance.h"
#include "persist/AppPaths.h"

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

TEST(InstanceLock, LivesInTheRuntimeFolderOrElseTheUsersConfigFolder) {
    struct Case {
        const char* runtime;
        bool inRuntimeFolder;
    };
    for (const Case c : {Case{"/run/user/4321", true}, Case{nullptr, false}, Case{"", false},
                         Case{"relative", false}}) {
        SCOPED_TRACE(c.runtime ? c.runtime : "unset");
        apptest::ScopedVariable runtime("XDG_RUNTIME_DIR", c.runtime);
        const fs::path folder =
            c.inRuntimeFolder ? fs::path(c.runtime)
                              : AppPaths::UserConfigFolder(AppPaths::Environment::FromProcess());
        EXPECT_EQ(InstanceLock::FileFor("name-7"), folder / "name-7.lock");
    }
}

TEST(InstanceLock, WithoutAUsableLockTheSocketStillDecides) {
    QTemporaryDir folder;
    QFile blocker(QDir(folder.path()).filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    apptest::ScopedVariable tmp("TMPDIR", folder.path().toUtf8().constData());
    apptest::ScopedVariable runtime("XDG_RUNTIME_DIR", blocker.fileName().toUtf8().constData());
    apptest::EnsureQApp();
    SingleInstance first(QStringLiteral("nolock"));
    ASSERT_TRUE(first.Acquire());
    EXPECT_TRUE(first.IsFirst());
    SingleInstance second(QStringLiteral("nolock"));
    EXPECT_FALSE(second.Acquire());
}

}  // namespace

#include "app/SingleInstanceLock.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(SingleInstanceLock, OneHolderPerFolderAndFreeAgainOnRelease) {
    QTemporaryDir a, b;
    SingleInstanceLock first(a.path());
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.tryAcquire());  // asking again while holding it is fine
    SingleInstanceLock second(a.path());
    EXPECT_FALSE(second.tryAcquire());
    SingleInstanceLock elsewhere(b.path());
    EXPECT_TRUE(elsewhere.tryAcquire());
    first.release();
    EXPECT_FALSE(first.isHeld());
    EXPECT_TRUE(second.tryAcquire());
}

TEST(SingleInstanceLock, AFolderWithoutRoomForALockDoesNotStopTheProgram) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain-file"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    // A "folder" below a plain file can never hold a lock.
    SingleInstanceLock lock(file + QStringLiteral("/settings"));
    EXPECT_TRUE(lock.tryAcquire());
}


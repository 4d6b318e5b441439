#include "app/SingleInstanceLock.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(SingleInstanceLock, OneHolderPerFolderAndNoLockWhereNoneCanBeMade) {
    QTemporaryDir dir, other;
    SingleInstanceLock first(dir.path()), second(dir.path()), elsewhere(other.path());
    EXPECT_TRUE(first.tryAcquire() && first.tryAcquire());  // asking again while holding it is fine
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_TRUE(elsewhere.tryAcquire());
    first.release();
    EXPECT_TRUE(second.tryAcquire());
    // A "folder" below a plain file can never hold a lock; that does not stop the program.
    QFile plain(dir.filePath("plain-file"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    EXPECT_TRUE(SingleInstanceLock(plain.fileName() + "/settings").tryAcquire());
}

#include "app/SingleInstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

SingleInstanceLock::SingleInstanceLock(const QString& dir)
    : path_(QDir(dir).filePath(QStringLiteral(".zek-instance.lock"))) {}

SingleInstanceLock::~SingleInstanceLock() { release(); }

bool SingleInstanceLock::tryAcquire() {
    if (isHeld()) return true;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    auto lock = std::make_unique<QLockFile>(path_);
    // Only a lock whose owner is gone counts as stale; a live owner keeps it however old.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        return true;
    }
    // Only a lock held by a live copy stops us. A folder where no lock can be made (read
    // only, missing parent) must not make Zek vanish without a word: run unguarded.
    return lock->error() != QLockFile::LockFailedError;
}

bool SingleInstanceLock::isHeld() const { return lock_ && lock_->isLocked(); }

void SingleInstanceLock::release() {
    if (lock_) lock_->unlock();
    lock_.reset();
}

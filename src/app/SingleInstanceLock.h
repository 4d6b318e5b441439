#pragma once
#include <QString>
#include <memory>

class QLockFile;

// Tells a second copy of Zek that one already runs. The lock lives in the settings
// folder, so two copies with different folders (tests, portable copies) run side by
// side, and a lock left by a crashed copy is taken over (QLockFile checks the PID).
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& dir);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False only when another live process holds the lock. True when this process now
    // holds it, and also when no lock file can be made in the folder at all.
    bool tryAcquire();
    bool isHeld() const;
    void release();
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

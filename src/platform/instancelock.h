#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Refuses a second running copy. The lock lives as long as this object; a
// lock left behind by a copy that crashed is stale and does not count.
class InstanceLock {
public:
    // Default place: KestrunAds.lock in the user's runtime folder.
    explicit InstanceLock(QString fileName = QString());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this copy now holds the lock (or already held it).
    bool tryAcquire();
    void release();
    QString fileName() const { return m_fileName; }

    static QString defaultFileName();

private:
    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};

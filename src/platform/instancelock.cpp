#include "instancelock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

InstanceLock::InstanceLock(QString fileName)
    : m_fileName(fileName.isEmpty() ? defaultFileName() : std::move(fileName)) {}

InstanceLock::~InstanceLock() {
    release();
}

QString InstanceLock::defaultFileName() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/KestrunAds.lock");
}

bool InstanceLock::tryAcquire() {
    if (m_lock && m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_fileName);
    // Staleness is judged by the owner's process id only: a live copy may
    // run for days, a dead one never blocks.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    return false;
}

void InstanceLock::release() {
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

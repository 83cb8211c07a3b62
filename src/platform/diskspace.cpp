#include "diskspace.h"

#include "platform.h"

#include <QFileInfo>
#include <QStorageInfo>

std::optional<qint64> DiskSpace::freeBytes(const QString& hostFolder) const {
    if (hostFolder.isEmpty() || !QFileInfo(hostFolder).isDir())
        return std::nullopt;
    const QStorageInfo info(hostFolder);
    if (!info.isValid() || !info.isReady())
        return std::nullopt;
    // What an ordinary user can write, without the blocks kept for the system.
    const qint64 free = info.bytesAvailable();
    if (free < 0)
        return std::nullopt;
    return free;
}

DiskSpace& diskSpaceOf(Platform& platform) {
    if (!platform.diskSpace)
        platform.diskSpace = std::make_shared<DiskSpace>();
    return *platform.diskSpace;
}

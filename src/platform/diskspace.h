#pragma once

#include <QString>
#include <optional>

struct Platform;

// Free space of the volume that holds a folder on disk. Tests derive from it
// to report the space they need.
class DiskSpace {
public:
    virtual ~DiskSpace() = default;
    // Bytes this user may still write on the volume that holds hostFolder (an
    // existing folder); nullopt when the volume cannot be measured.
    virtual std::optional<qint64> freeBytes(const QString& hostFolder) const;
};

// The platform's disk-space service; the system's own is made when none was
// put in.
DiskSpace& diskSpaceOf(Platform& platform);

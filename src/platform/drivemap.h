#pragma once

#include "volume.h"

#include <QChar>
#include <QMap>
#include <memory>

// Drive letters D: … Z: and the volumes behind them. A letter without a volume
// is a drive with no disc.
class DriveMap {
public:
    DriveMap() = default;
    void setVolume(QChar letter, std::shared_ptr<Volume> volume);
    // nullptr for a drive with no disc.
    std::shared_ptr<Volume> volume(QChar letter) const;
    QList<QChar> letters() const { return m_map.keys(); }

    // Parses "D=/path/one;E=/path/two". Entries with a bad letter are ignored.
    static DriveMap fromText(const QString& text);
    // KESTRUN_DRIVES when set, otherwise the mounted removable volumes.
    static DriveMap fromSystem();

private:
    QMap<QChar, std::shared_ptr<Volume>> m_map;
};

// Makes the volume for a host path named in the drive map.
std::shared_ptr<Volume> volumeForHostPath(const QString& path);

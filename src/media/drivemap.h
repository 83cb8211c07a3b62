#pragma once

#include "volume.h"

#include <QChar>
#include <QMap>
#include <memory>
#include <optional>

// Drive letters D: … Z: and the volumes behind them. A letter without a volume
// is a drive with no disc.
class DriveMap {
public:
    DriveMap() = default;
    void setVolume(QChar letter, std::shared_ptr<Volume> volume);
    // nullptr for a drive with no disc.
    std::shared_ptr<Volume> volume(QChar letter) const;
    QList<QChar> letters() const { return m_map.keys(); }
    // The first of D: … Z: that has no volume; nullopt when every one has.
    std::optional<QChar> firstFreeLetter() const;
    // Puts a CD image file at the first letter that has no volume and returns
    // that letter; nullopt when no letter is free.
    std::optional<QChar> mapImage(const QString& imagePath);

    // Parses "D=/path/one;E=/path/two". Entries with a bad letter are ignored.
    static DriveMap fromText(const QString& text);
    // KESTRUN_DRIVES when set, otherwise the mounted removable volumes; each
    // behind a SlowVolume when KESTRUN_SLOW_MEDIUM is set.
    static DriveMap fromSystem();

private:
    static DriveMap mountedOrNamed();
    QMap<QChar, std::shared_ptr<Volume>> m_map;
};

// Makes the volume for a host path named in the drive map: a CD image for a
// regular file that ends in ".iso" (any case) or holds an ISO 9660 image, and
// for a ".iso" path that does not exist yet (a drive with no disc until the
// file appears); a folder on disk otherwise.
std::shared_ptr<Volume> volumeForHostPath(const QString& path);

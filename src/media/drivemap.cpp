#include "drivemap.h"

#include "isovolume.h"
#include "slowvolume.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

void DriveMap::setVolume(QChar letter, std::shared_ptr<Volume> volume) {
    m_map.insert(letter.toUpper(), std::move(volume));
}

std::shared_ptr<Volume> DriveMap::volume(QChar letter) const {
    return m_map.value(letter.toUpper());
}

std::optional<QChar> DriveMap::firstFreeLetter() const {
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        if (!m_map.value(QLatin1Char(letter)))
            return QLatin1Char(letter);
    return std::nullopt;
}

std::optional<QChar> DriveMap::mapImage(const QString& imagePath) {
    const auto letter = firstFreeLetter();
    if (letter)
        setVolume(*letter, std::make_shared<IsoVolume>(imagePath));
    return letter;
}

std::shared_ptr<Volume> volumeForHostPath(const QString& path) {
    const QFileInfo info(path);
    const bool image = info.exists() ? !info.isDir() && IsoVolume::isImageFile(path)
                                     : IsoVolume::hasImageSuffix(path);
    if (image)
        return std::make_shared<IsoVolume>(path);
    return std::make_shared<FolderVolume>(path);
}

DriveMap DriveMap::fromText(const QString& text) {
    DriveMap map;
    const auto items = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq != 1)
            continue;
        const QChar letter = item.at(0).toUpper();
        if (letter < QLatin1Char('A') || letter > QLatin1Char('Z'))
            continue;
        const QString path = item.mid(2).trimmed();
        if (path.isEmpty())
            continue;
        map.setVolume(letter, volumeForHostPath(path));
    }
    return map;
}

DriveMap DriveMap::fromSystem() {
    DriveMap map = mountedOrNamed();
    // Every drive of the map as slow as a CD-ROM drive, for trying it by hand.
    for (auto& volume : map.m_map)
        volume = slowedWhenAsked(volume);
    return map;
}

DriveMap DriveMap::mountedOrNamed() {
    const QByteArray env = qgetenv("KESTRUN_DRIVES");
    if (!env.isNull())
        return fromText(QString::fromLocal8Bit(env));

    QStringList roots;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        const QString root = info.rootPath();
        if (!info.isValid() || !info.isReady())
            continue;
        if (root.startsWith(QLatin1String("/media/")) ||
            root.startsWith(QLatin1String("/run/media/")) ||
            root.startsWith(QLatin1String("/mnt/")))
            roots << root;
    }
    std::sort(roots.begin(), roots.end());
    DriveMap map;
    char letter = 'D';
    for (const QString& root : roots) {
        if (letter > 'Z')
            break;
        map.setVolume(QLatin1Char(letter++), volumeForHostPath(root));
    }
    return map;
}

#include "imageargument.h"

#include "files.h"
#include "isovolume.h"

#include <QFileInfo>

namespace {

bool holdsImage(const DriveMap& drives, const QString& canonicalPath) {
    for (QChar letter : drives.letters()) {
        const auto* image = dynamic_cast<const IsoVolume*>(drives.volume(letter).get());
        if (image && QFileInfo(image->imagePath()).canonicalFilePath() == canonicalPath)
            return true;
    }
    return false;
}

} // namespace

QList<QChar> MapImageArguments(Files& files, const QStringList& argumentsAfterProgram) {
    QList<QChar> given;
    if (argumentsAfterProgram == QStringList{QStringLiteral("HWI")})
        return given;
    auto drives = std::make_shared<DriveMap>(files.drives());
    for (const QString& argument : argumentsAfterProgram) {
        if (argument.isEmpty())
            continue;
        const QFileInfo info(argument);
        const QString path = info.absoluteFilePath();
        if (!IsoVolume::isImageFile(path) || holdsImage(*drives, info.canonicalFilePath()))
            continue;
        const auto letter = drives->mapImage(path);
        if (!letter)
            break;
        given << *letter;
    }
    if (!given.isEmpty())
        files.setDrives(std::move(drives));
    return given;
}

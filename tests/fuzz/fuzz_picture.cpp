// The picture loading of year selection and stepping on any bytes: the file
// read from the medium and decoded, then made the pixmap the three picture
// controls share and stretched into the normal view's box.
#include "fuzzapp.h"
#include "media/files.h"
#include "media/pictureloader.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <memory>

namespace {

// A drive D: whose ads folder holds the one picture under test.
struct Medium {
    QTemporaryDir dir;
    std::unique_ptr<Files> files;
    QString hostFile;
};

Medium* medium = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::startApplication(argc, argv);
    medium = new Medium;
    if (!medium->dir.isValid() || !QDir(medium->dir.path()).mkpath(QStringLiteral("ADS")))
        fuzz::broken("no temporary medium");
    auto drives = std::make_shared<DriveMap>();
    drives->setVolume(QLatin1Char('D'), volumeForHostPath(medium->dir.path()));
    medium->files = std::make_unique<Files>(drives);
    medium->hostFile = medium->dir.filePath(QStringLiteral("ADS/72TOVA00.JPG"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        QFile f(medium->hostFile);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            fuzz::broken("cannot write the picture file");
    }
    QString error;
    // The path as year selection composes it; the names on disk differ in case.
    QImage image = LoadPicture(*medium->files, QStringLiteral("D:\\ads\\72tova00.jpg"), &error);
    if (image.isNull()) {
        if (error.isEmpty())
            fuzz::broken("a failed load without a reason");
        return 0;
    }
    if (image.width() > MaxPictureSide || image.height() > MaxPictureSide ||
        qint64(image.width()) * image.height() > MaxPicturePixels)
        fuzz::broken("a picture beyond the size limits was loaded");
    const QPixmap picture = QPixmap::fromImage(std::move(image));
    if (picture.isNull())
        fuzz::broken("a loaded picture gave no pixmap");
    // The normal view stretches it into 443 x 555 pixels.
    (void)picture.scaled(443, 555, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return 0;
}

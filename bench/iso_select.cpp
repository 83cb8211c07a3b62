// Selecting a year with the medium read straight from a CD image file,
// against the same selection from the folder the image was made from, in the
// same run. Also the first look at the image (its listing, read once) against
// listing the folder's ads.
#include "benchutil.h"
#include "catalogue/selectyear.h"
#include "media/isovolume.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThreadPool>
#include <cstdio>

namespace {

const int Years = workload(24, 3);
const int AdsPerYear = workload(31, 3);

// A medium laid out like the CD-ROM: every year with ads 00 to 30, photo-like
// pictures (a handful of distinct ones, so that writing them stays quick).
bool writeMedium(BenchViewer& v) {
    QList<QString> distinct;
    for (int i = 0; i < 6; ++i)
        distinct << v.writeAd(1960, i, QSize(1200, 1600), 500 + i);
    for (int y = 0; y < Years; ++y) {
        v.writeAd(1964 + y, 0, QSize(1200, 1600), y);
        for (int n = 1; n < AdsPerYear; ++n) {
            const QString to = v.medium + QStringLiteral("/ads/%1tova%2.jpg")
                                              .arg((64 + y) % 100, 2, 10, QLatin1Char('0'))
                                              .arg(n, 2, 10, QLatin1Char('0'));
            if (!QFile::copy(distinct[(y + n) % distinct.size()], to))
                return false;
        }
    }
    for (const QString& d : distinct)
        QFile::remove(d);
    return true;
}

bool makeImage(const QString& folder, const QString& image) {
    const QString xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    if (xorriso.isEmpty())
        return false;
    return QProcess::execute(xorriso,
                             {QStringLiteral("-as"), QStringLiteral("mkisofs"),
                              QStringLiteral("-quiet"), QStringLiteral("-J"), QStringLiteral("-R"),
                              QStringLiteral("-o"), image, folder}) == 0;
}

// Bytes this process has read from files so far.
qint64 bytesRead() {
    QFile f(QStringLiteral("/proc/self/io"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return 0;
}

std::shared_ptr<const DriveMap> driveD(std::shared_ptr<Volume> volume) {
    auto map = std::make_shared<DriveMap>();
    map->setVolume(QLatin1Char('D'), std::move(volume));
    return map;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    BenchViewer v;
    const QString image = v.dir.filePath(QStringLiteral("ads.iso"));
    if (!writeMedium(v) || !makeImage(v.medium, image)) {
        benchFailed(QStringLiteral("cannot write the medium or its image (is xorriso installed?)"));
        return benchExit();
    }
    std::printf("medium: %d pictures, image %.0f MB\n", Years * AdsPerYear,
                QFileInfo(image).size() / 1e6);
    v.show();
    Form1& form = *v.form;
    Files& files = *v.app.platform.files;

    // The first look at the image: its whole listing, once per image. Only
    // the directory records are read, not the pictures.
    const qint64 before = bytesRead();
    IsoVolume(image).list({});
    std::printf("bytes read for the listing of the image: %lld KB\n",
                (bytesRead() - before) / 1024);
    QList<double> firstLook, folderList;
    const int looks = workload(21, 3);
    for (int i = 0; i < looks; ++i) {
        firstLook << timeMs([&] { IsoVolume(image).list({QStringLiteral("ads")}); });
        folderList << timeMs([&] { FolderVolume(v.medium).list({QStringLiteral("ads")}); });
    }

    const auto folder = driveD(std::make_shared<FolderVolume>(v.medium));
    const auto disc = driveD(std::make_shared<IsoVolume>(image));
    const auto select = [&](const std::shared_ptr<const DriveMap>& drives, int year) {
        files.setDrives(drives);
        const double ms = timeMs([&] { SelectYear(form, year); });
        // The user's pause between two selections: background work may finish.
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        return ms;
    };
    // Both sources warm (the image's listing read, the files in the cache).
    for (int y = 0; y < Years; ++y) {
        select(folder, y);
        select(disc, y);
    }
    QList<double> ours, base;
    for (int round = 0; round < 2; ++round)
        for (int y = 0; y < Years; ++y) {
            // Alternate which goes first, so that neither profits from the other.
            if ((y + round) % 2) {
                ours << select(disc, y);
                base << select(folder, y);
            } else {
                base << select(folder, y);
                ours << select(disc, y);
            }
        }
    report(QStringLiteral("SelectYear from a CD image vs folder (median of %1)").arg(ours.size()),
           median(ours), median(base), 1.3);
    report(QStringLiteral("First listing of the image vs one folder (median of %1)").arg(looks),
           median(firstLook), median(folderList), 20);
    return benchExit();
}

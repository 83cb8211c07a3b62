// Peak memory after visiting every year of the demo medium, against a bare
// main window holding the medium's largest picture decoded twice; then the
// same for one year whose first ad is a 48-megapixel scan.
#include "benchutil.h"
#include "catalogue/lookahead.h"
#include "catalogue/selectyear.h"
#include "demo_medium.h"
#include "shell/form1.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QThreadPool>
#include <cstdio>

namespace {

int child(int argc, char* argv[], const QString& medium, int years) {
    QApplication qapp(argc, argv);
    BenchViewer v;
    v.app.platform.files =
        std::make_shared<Files>(std::make_shared<DriveMap>(DriveMap::fromText("D=" + medium)));
    auto boxes = std::make_shared<ScriptedMessageBoxes>();
    for (int i = 0; i < 36; ++i)
        boxes->replies << 4; // Retry where a year has no picture
    v.app.platform.messages = boxes;
    v.show();
    for (int i = 0; i < years; ++i) {
        SelectYear(*v.form, i);
        QCoreApplication::processEvents();
        v.form->lookAhead->waitForDone();
    }
    // A scan that did not load would measure a window without it.
    if (years == 1 && v.form->PicSrc->picture().width() < 4000) {
        std::fputs("the scan did not show\n", stderr);
        return 1;
    }
    std::printf("shown %lld\n", peakMemoryKb());
    return 0;
}

// The peak a child process printed; 0 when it did not end cleanly.
qint64 peakOf(const QString& program, const QStringList& args) {
    QProcess proc;
    proc.start(program, args);
    const bool ended = proc.waitForFinished(120000);
    const QByteArray out = proc.readAllStandardOutput();
    if (!ended || proc.exitStatus() != QProcess::NormalExit || proc.exitCode() != 0) {
        benchFailed(QStringLiteral("%1 did not end cleanly (%2)")
                        .arg(program, ended ? QStringLiteral("exit code %1").arg(proc.exitCode())
                                            : proc.errorString()));
        std::fputs(proc.readAllStandardError().constData(), stderr);
        return 0;
    }
    const qsizetype at = out.indexOf("shown ");
    return at < 0 ? 0 : out.mid(at + 6).trimmed().toLongLong();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    QApplication qapp(argc, argv);
    QTemporaryDir dir;
    const QString medium = dir.filePath(QStringLiteral("medium"));
    demo::writeDemoMedium(medium);
    QString largest;
    qint64 largestPixels = 0;
    for (QDirIterator it(medium + QStringLiteral("/ads")); it.hasNext();) {
        const QString f = it.next();
        const QSize s = QImageReader(f).size();
        if (qint64(s.width()) * s.height() > largestPixels) {
            largestPixels = qint64(s.width()) * s.height();
            largest = f;
        }
    }
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare =
        QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window");
    const QString years = QString::number(workload(36, 4));
    report(QStringLiteral("Peak memory after visiting every year (demo medium)"),
           peakOf(self, {"--child", medium, years}) / 1024.0, peakOf(bare, {largest}) / 1024.0, 1.5,
           QStringLiteral("MB"));

    // A scan above Qt's default limit for one picture (128 MB decoded) as the
    // first ad of 1964; the quick run keeps it just above that limit.
    const QString scan = medium + QStringLiteral("/ads/64tova00.jpg");
    {
        QImage big(workload(8000, 7000), 6000, QImage::Format_RGB32);
        for (int y = 0; y < big.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(big.scanLine(y));
            for (int x = 0; x < big.width(); ++x)
                line[x] = qRgb(x * 255 / big.width(), y * 255 / big.height(), (x ^ y) & 255);
        }
        big.save(scan, "JPEG", 80);
    }
    report(QStringLiteral("Peak memory showing a %1-megapixel scan (1964)")
               .arg(QImageReader(scan).size().width() * 6 / 1000),
           peakOf(self, {"--child", medium, QStringLiteral("1")}) / 1024.0,
           peakOf(bare, {scan}) / 1024.0, 1.5, QStringLiteral("MB"));
    return benchExit();
}

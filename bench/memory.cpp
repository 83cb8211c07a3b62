// Peak memory after visiting every year of the demo medium, against a bare
// main window holding the medium's largest picture decoded twice.
#include "benchutil.h"
#include "catalogue/lookahead.h"
#include "catalogue/selectyear.h"
#include "demo_medium.h"

#include <QApplication>
#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QThreadPool>
#include <cstdio>

namespace {

int child(int argc, char* argv[], const QString& medium) {
    QApplication qapp(argc, argv);
    BenchViewer v;
    v.app.platform.files =
        std::make_shared<Files>(std::make_shared<DriveMap>(DriveMap::fromText("D=" + medium)));
    auto boxes = std::make_shared<ScriptedMessageBoxes>();
    for (int i = 0; i < 36; ++i)
        boxes->replies << 4; // Retry where a year has no picture
    v.app.platform.messages = boxes;
    v.show();
    for (int i = 0; i < workload(36, 4); ++i) {
        SelectYear(*v.form, i);
        QCoreApplication::processEvents();
        v.form->lookAhead->waitForDone();
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
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));
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
    const qint64 ours = peakOf(QCoreApplication::applicationFilePath(), {"--child", medium});
    const qint64 base = peakOf(
        QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window"), {largest});
    report(QStringLiteral("Peak memory after visiting every year (demo medium)"), ours / 1024.0,
           base / 1024.0, 1.5, QStringLiteral("MB"));
    return benchExit();
}

#include "benchutil.h"

#include "app/wiring.h"
#include "catalogue/lookahead.h"
#include "widgets/picturebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

double timeMs(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

double median(QList<double> values) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

namespace {

int rowsReported = 0;
int failures = 0;

// A figure that can stand for a measurement.
bool measured(double value) {
    return std::isfinite(value) && value > 0;
}

const char* verdict(double ours, double baseline, bool met) {
    ++rowsReported;
    if (measured(ours) && measured(baseline))
        return met ? "MET" : "MISSED";
    ++failures;
    return "FAILED (no measurement)";
}

} // namespace

bool quickMode() {
    return !qEnvironmentVariableIsEmpty("KESTRUN_BENCH_QUICK");
}

int workload(int full, int quick) {
    return quickMode() ? quick : full;
}

void report(const QString& what, double ours, double baseline, double target, const QString& unit) {
    const double ratio = ours / baseline;
    std::printf("%-58s ours %9.2f %s  baseline %9.2f %s  ratio %5.2f  target <= %.2f  %s\n",
                qPrintable(what), ours, qPrintable(unit), baseline, qPrintable(unit), ratio, target,
                verdict(ours, baseline, ratio <= target));
    std::fflush(stdout);
}

void reportBound(const QString& what, double ours, double baseline, double bound,
                 const QString& unit) {
    const double ratio = ours / baseline;
    std::printf("%-58s ours %9.2f %s  baseline %9.2f %s  ratio %5.2f  target ours <= %.0f %s  "
                "%s\n",
                qPrintable(what), ours, qPrintable(unit), baseline, qPrintable(unit), ratio, bound,
                qPrintable(unit), verdict(ours, baseline, ours <= bound));
    std::fflush(stdout);
}

void benchFailed(const QString& why) {
    ++failures;
    std::printf("FAILED: %s\n", qPrintable(why));
    std::fflush(stdout);
}

int benchExit() {
    if (rowsReported == 0)
        benchFailed(QStringLiteral("no figure was reported"));
    return failures == 0 ? 0 : 1;
}

void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

QImage photoLikePicture(QSize size, int seed) {
    QImage img(size, QImage::Format_RGB32);
    QRandomGenerator rng{quint32(seed)};
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv(rng.bounded(360), 80, 230));
    sky.setColorAt(1, QColor::fromHsv(rng.bounded(360), 120, 90));
    p.fillRect(img.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 60; ++i) {
        QRadialGradient g(rng.bounded(size.width()), rng.bounded(size.height()),
                          20 + rng.bounded(size.width() / 3));
        g.setColorAt(0, QColor::fromHsv(rng.bounded(360), rng.bounded(256), 255, 160));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(img.rect(), g);
    }
    p.end();
    // Film grain: what makes a scan expensive to decode.
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(rng.bounded(24)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    return img;
}

qint64 peakMemoryKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

BenchViewer::BenchViewer() {
    medium = dir.filePath(QStringLiteral("cd"));
    QDir().mkpath(medium + QStringLiteral("/ads"));
    QDir().mkpath(dir.filePath(QStringLiteral("program")));
    Platform& p = app.platform;
    p.program.Path = dir.filePath(QStringLiteral("program"));
    p.program.EXEName = p.program.Title = QStringLiteral("KestrunAds");
    p.messages = std::make_shared<ScriptedMessageBoxes>();
    p.files = std::make_shared<Files>(std::make_shared<DriveMap>());
    setMediumSpeed(std::nullopt);
    p.settings = std::make_shared<SettingsStore>(dir.filePath(QStringLiteral("k.ini")));
    p.screen = std::make_shared<FixedScreen>(1024 * 15, 768 * 15);
    p.instanceLock = std::make_shared<InstanceLock>(dir.filePath(QStringLiteral("lock")));
    p.taskbar = std::make_shared<NoTaskbar>();
    p.endProcess = [](int) {};
    app.MediaRoot = app.AdsRoot = QStringLiteral("D:");
    app.ZoomMode = QStringLiteral("1");
    // The window gets its subsystems (the look-ahead among them) as the program's does.
    app.connectSubsystems = ConnectSubsystems;
}

QString BenchViewer::writeAd(int year, int n, QSize size, int seed, int quality) {
    const QString path = medium + QStringLiteral("/ads/%1tova%2.jpg")
                                      .arg(year % 100, 2, 10, QLatin1Char('0'))
                                      .arg(n, 2, 10, QLatin1Char('0'));
    photoLikePicture(size, seed).save(path, "JPEG", quality);
    return path;
}

void BenchViewer::setMediumSpeed(std::optional<SlowVolume::Speed> speed) {
    auto drives = std::make_shared<DriveMap>();
    std::shared_ptr<Volume> volume = volumeForHostPath(medium);
    if (speed)
        volume = std::make_shared<SlowVolume>(std::move(volume), *speed);
    drives->setVolume(QLatin1Char('D'), std::move(volume));
    app.platform.files->setDrives(std::move(drives));
}

void BenchViewer::show() {
    form = std::make_unique<Form1>(app);
    form->show();
    QCoreApplication::processEvents();
}

double settledStepMs(Form1& form, const std::function<void()>& step) {
    const double ms = timeMs([&] {
        step();
        form.Image1->repaint();
    });
    QCoreApplication::processEvents();
    form.lookAhead->waitForDone();
    return ms;
}

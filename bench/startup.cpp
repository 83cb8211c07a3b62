// Start-up to the main window shown, the splash's three seconds left out,
// against a bare main window program; both started as new processes.
#include "app/wiring.h"
#include "benchutil.h"
#include "platform/qtmessageboxes.h"
#include "shell/form2.h"
#include "shell/programstart.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <cstdio>

namespace {

// The viewer's own start, as main() does it, on a program folder with one ad.
int child(int argc, char* argv[], const QString& folder) {
    QApplication qapp(argc, argv);
    AppState app;
    app.connectSubsystems = ConnectSubsystems;
    Platform& p = app.platform;
    p.program = ProgramInfo::fromProcess(QCoreApplication::arguments());
    p.program.Path = folder;
    p.program.Command = QStringLiteral("HWI");
    p.messages = std::make_shared<QtMessageBoxes>(p.program.Title);
    p.files = std::make_shared<Files>(std::make_shared<DriveMap>());
    p.settings = std::make_shared<SettingsStore>(folder + QStringLiteral("/k.ini"));
    p.screen = std::make_shared<SystemScreen>();
    p.instanceLock = std::make_shared<InstanceLock>(folder + QStringLiteral("/lock"));
    p.taskbar = std::make_shared<NoTaskbar>();
    p.endProcess = [](int) {};
    ProgramStart start(app);
    start.splash()->Timer1->start(0); // the splash's wait is not measured
    QObject::connect(&start, &ProgramStart::mainWindowShown, [&] {
        QTimer::singleShot(0, [&] {
            std::printf("shown\n");
            std::fflush(stdout);
            qapp.quit();
        });
    });
    return qapp.exec();
}

// Time until the process says its window is shown; not a number when it never
// does or does not end cleanly.
double runMs(const QString& program, const QStringList& args) {
    QProcess proc;
    QElapsedTimer t;
    t.start();
    proc.start(program, args);
    bool shown = false;
    while (!shown && proc.waitForReadyRead(10000))
        shown = proc.readAll().contains("shown");
    const double ms = t.nsecsElapsed() / 1e6;
    const bool ended = proc.waitForFinished(10000);
    if (shown && ended && proc.exitStatus() == QProcess::NormalExit && proc.exitCode() == 0)
        return ms;
    benchFailed(QStringLiteral("%1 %2").arg(program, shown ? QStringLiteral("did not end cleanly")
                                                           : QStringLiteral("showed no window")));
    return qQNaN();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));
    QCoreApplication qapp(argc, argv);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("ads")));
    photoLikePicture(QSize(600, 750), 1).save(dir.filePath(QStringLiteral("ads/64tova00.jpg")));
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare =
        QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window");
    QList<double> ours, base;
    const int runs = workload(11, 2);
    for (int i = 0; i < runs; ++i) {
        ours << runMs(self, {QStringLiteral("--child"), dir.path()});
        base << runMs(bare, {});
    }
    report(QStringLiteral("Start-up to the main window shown (median of %1)").arg(runs),
           median(ours), median(base), 1.5);
    return benchExit();
}

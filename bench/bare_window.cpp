// The baselines of the start-up and memory benchmarks: a bare main window,
// optionally holding one picture decoded twice.
#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

static qint64 peakKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(798, 613);
    QImage first, second;
    if (argc > 1) {
        first = QImageReader(QString::fromLocal8Bit(argv[1])).read();
        second = QImageReader(QString::fromLocal8Bit(argv[1])).read();
    }
    window.show();
    QTimer::singleShot(0, [&] {
        std::printf("shown %lld\n", peakKb());
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}

// The baselines of the start-up and memory benchmarks: a bare main window,
// optionally holding one picture decoded twice.
#include "benchutil.h"

#include <QApplication>
#include <QImageReader>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(798, 613);
    QImage first, second;
    if (argc > 1) {
        QImageReader::setAllocationLimit(0); // a scan of any size
        first = QImageReader(QString::fromLocal8Bit(argv[1])).read();
        second = QImageReader(QString::fromLocal8Bit(argv[1])).read();
    }
    window.show();
    QTimer::singleShot(0, [&] {
        std::printf("shown %lld\n", peakMemoryKb());
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}

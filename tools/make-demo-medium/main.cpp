#include "demo_medium.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Drawing text needs a GUI application, but no display should be required.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args.at(1).isEmpty() || args.at(1).startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "Usage: make-demo-medium DIR\n"
                             "Writes a Kestrun Ads demonstration medium (ads/ and RichText/) "
                             "into DIR.\n");
        return 2;
    }

    const QString dir = args.at(1);
    QString error;
    if (!demo::writeDemoMedium(dir, &error)) {
        std::fprintf(stderr, "make-demo-medium: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Wrote %d pictures and 3 documents to %s\n", demo::pictureCount(demo::demoPlan()),
                qPrintable(QDir::toNativeSeparators(dir)));
    return 0;
}

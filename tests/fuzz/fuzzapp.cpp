#include "fuzzapp.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {

QGuiApplication* application = nullptr;

void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "fatal: %s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

void startApplication(int* argc, char*** argv) {
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // Qt gets a copy of the program name only: the fuzzer's own options stay
    // where it reads them. The application lives until the process ends and
    // is never destroyed: at exit Qt's own globals may already be gone.
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argc > 0 ? (*argv)[0] : nullptr), nullptr};
    application = new QGuiApplication(qtArgc, qtArgv);
}

void broken(const char* what) {
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
}

} // namespace fuzz

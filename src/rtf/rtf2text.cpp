// kestrun-rtf2text FILE: prints the text the program's RTF reader makes of FILE, in
// UTF-8, one line per paragraph, table cells separated by tabs. Exits with 1
// and a one-line reason when the file cannot be read.
#include "rtfreader.h"

#include <QCoreApplication>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Reading needs no window system: the document is never laid out.
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kestrun-rtf2text FILE\n");
        return 2;
    }
    QTextDocument doc;
    QString error;
    if (!rtf::readRtfFile(args[1], doc, &error)) {
        std::fprintf(stderr, "kestrun-rtf2text: %s: %s\n", qPrintable(args[1]), qPrintable(error));
        return 1;
    }
    const QByteArray text = rtf::plainText(doc).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fputc('\n', stdout);
    return 0;
}

// e2e-pagecount PRINTER FILE.rtf OUT.pdf: lays an RTF document out for the
// named printer's paper exactly as the document viewer's print button does,
// writes the pages to a PDF file instead of the queue, and prints their
// count. The end-to-end run compares it with what came out of the queue.
#include "documents/printrichtext.h"
#include "documents/richtextbox.h"
#include "media/files.h"
#include "platform/printer.h"

#include <QApplication>
#include <QPrinter>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: e2e-pagecount PRINTER FILE.rtf OUT.pdf\n");
        return 2;
    }
    PrinterService printer;
    // The named printer's paper and printable area, then a file as the output.
    printer.printer().setPrinterName(QString::fromLocal8Bit(argv[1]));
    const QPageLayout layout = printer.printer().pageLayout();
    printer.setOutputPdf(QString::fromLocal8Bit(argv[3]));
    printer.printer().setPageLayout(layout);

    RichTextBox box;
    const Files files(std::make_shared<DriveMap>());
    QString error;
    if (!box.LoadFile(files, QString::fromLocal8Bit(argv[2]), &error)) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[2], qPrintable(error));
        return 1;
    }
    const PrintResult result = PrintRichText(printer, *box.document(), 1440, 1440, 1440, 1440);
    if (result.outcome != PrintResult::Printed) {
        std::fprintf(stderr, "not printed: %s\n", qPrintable(result.reason));
        return 1;
    }
    std::printf("%d %s\n", result.pages, qPrintable(layout.pageSize().name()));
    return 0;
}

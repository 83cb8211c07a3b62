#pragma once

#include <QString>
#include <QtGlobal>

class PrinterService;
class QTextDocument;

// How a print job ended.
struct PrintResult {
    enum Outcome {
        Printed,   // the job went out
        NoPrinter, // no printer to send it to
        Failed,    // the printer refused or failed the job
        Cancelled, // the job was cancelled
    };
    Outcome outcome = Printed;
    QString reason; // for Failed: what went wrong, one sentence
    int pages = 0;  // pages sent
};

// Prints a rich-text document page by page on the run's printer. The margins
// are twips (1440 to the inch) measured from the physical edges of the paper,
// whatever unprintable border the printer has. Each page holds as much text
// as fits from the first character that did not fit on the page before; a
// page on which nothing fits ends the job. An empty document prints one
// empty page.
PrintResult PrintRichText(PrinterService& printer, const QTextDocument& box, qint32 leftMargin,
                          double topMargin, double rightMargin, double bottomMargin);

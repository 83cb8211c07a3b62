#pragma once

#include "platform/printresult.h"

#include <QtGlobal>

class PrinterService;
class QTextDocument;

// Prints a rich-text document page by page on the run's printer. The margins
// are twips (1440 to the inch) measured from the physical edges of the paper,
// whatever unprintable border the printer has. Each page holds as much text
// as fits from the first character that did not fit on the page before; a
// page on which nothing fits ends the job. An empty document prints one
// empty page.
PrintResult PrintRichText(PrinterService& printer, const QTextDocument& box, qint32 leftMargin,
                          double topMargin, double rightMargin, double bottomMargin);

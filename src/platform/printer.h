#pragma once

#include "printresult.h"

#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;
struct Platform;

// The printer of the run: one QPrinter kept from the first print to the end,
// so that what Print Setup chose applies to every later print.
class PrinterService {
public:
    PrinterService();
    virtual ~PrinterService();
    PrinterService(const PrinterService&) = delete;
    PrinterService& operator=(const PrinterService&) = delete;

    QPrinter& printer() { return *m_printer; }

    // Sends every later job to a PDF file instead of a printer (tests, and
    // machines without a printer).
    void setOutputPdf(const QString& path);

    // True when a job can go out: an installed printer is selected, or the
    // output is a file.
    virtual bool available() const;

    // Opens a job on the printer for the painter, after asking the print
    // system whether the printer takes jobs now. Printed when the painter is
    // active; otherwise nothing was sent.
    PrintResult beginJob(QPainter& painter);
    // Ends the job the painter drew and hands it over. Printed only when the
    // print system took it.
    PrintResult endJob(QPainter& painter);

    // Print Setup: the print dialog in its set-up role on the persistent
    // printer. True when the user accepted the settings; Cancel leaves the
    // printer as it was.
    virtual bool setup(QWidget* parent);

private:
    bool printsToSystem() const;

    std::unique_ptr<QPrinter> m_printer;
};

// The platform's printer, made from the system when none was put in.
PrinterService& printerOf(Platform& platform);

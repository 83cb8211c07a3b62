#include "printer.h"

#include "platform.h"

#include <QPrintDialog>
#include <QPrinter>

PrinterService::PrinterService() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // Without any installed printer Qt falls back to PDF output with no file,
    // which available() reports as no printer.
}

PrinterService::~PrinterService() = default;

void PrinterService::setOutputPdf(const QString& path) {
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(path);
}

bool PrinterService::available() const {
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        return !m_printer->outputFileName().isEmpty();
    return m_printer->isValid() && !m_printer->printerName().isEmpty();
}

bool PrinterService::setup(QWidget* parent) {
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    // Setting up only: no page range or copies of a particular job.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

PrinterService& printerOf(Platform& platform) {
    if (!platform.printer)
        platform.printer = std::make_shared<PrinterService>();
    return *platform.printer;
}

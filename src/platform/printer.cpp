#include "printer.h"

#include "platform.h"
#include "printsystem.h"

#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

// What Qt's print dialog may change on the printer before it is accepted.
struct Settings {
    QPrinter::OutputFormat format = QPrinter::NativeFormat;
    QString name;
    QString file;
    QPageLayout layout;
    QPrinter::ColorMode color = QPrinter::Color;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;

    explicit Settings(const QPrinter& p)
        : format(p.outputFormat()), name(p.printerName()), file(p.outputFileName()),
          layout(p.pageLayout()), color(p.colorMode()), duplex(p.duplex()) {}

    void applyTo(QPrinter& p) const {
        if (format == QPrinter::NativeFormat) {
            p.setPrinterName(name);
            p.setOutputFileName(QString());
        } else {
            p.setOutputFormat(format);
            p.setOutputFileName(file);
        }
        p.setPageLayout(layout);
        p.setColorMode(color);
        p.setDuplex(duplex);
    }
};

} // namespace

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

bool PrinterService::printsToSystem() const {
    return m_printer->outputFormat() == QPrinter::NativeFormat;
}

PrintResult PrinterService::beginJob(QPainter& painter) {
    if (!available())
        return PrintResult::noPrinter();
    // Qt would draw the whole job and hand it to a queue that keeps it
    // unprinted, or that refuses it, without a word.
    if (printsToSystem()) {
        const QString why = PrintSystem::refusal(m_printer->printerName());
        if (!why.isEmpty())
            return PrintResult::failed(why);
    }
    if (!painter.begin(m_printer.get())) {
        if (m_printer->printerState() == QPrinter::Aborted)
            return PrintResult::cancelled();
        return PrintResult::failed(QStringLiteral("The printer could not start the job."));
    }
    return PrintResult();
}

PrintResult PrinterService::endJob(QPainter& painter) {
    // Ending the painter hands the job to the print system.
    const bool ended = painter.end();
    if (m_printer->printerState() == QPrinter::Aborted)
        return PrintResult::cancelled();
    if (!ended || m_printer->printerState() == QPrinter::Error)
        return PrintResult::failed(QStringLiteral("The printer could not finish the job."));
    if (printsToSystem()) {
        // Handing the job over is Qt's last libcups call and leaves its answer
        // as this thread's last status; had Qt not got that far, beginJob's
        // question about the queue left a success there.
        const QString why = PrintSystem::lastJobRefusal();
        if (!why.isEmpty())
            return PrintResult::failed(why);
    }
    return PrintResult();
}

bool PrinterService::setup(QWidget* parent) {
    // Qt's dialog puts the printer highlighted in its list on the printer as
    // soon as it opens or the highlight moves; Cancel must undo that.
    const Settings before(*m_printer);
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    // Setting up only: no page range or copies of a particular job.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // The dialog keeps the choice for later prints; it prints nothing itself.
    for (auto* box : dialog.findChildren<QDialogButtonBox*>(Qt::FindDirectChildrenOnly))
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    if (dialog.exec() == QDialog::Accepted)
        return true;
    before.applyTo(*m_printer);
    return false;
}

PrinterService& printerOf(Platform& platform) {
    if (!platform.printer)
        platform.printer = std::make_shared<PrinterService>();
    return *platform.printer;
}

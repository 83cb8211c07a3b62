#include "printrichtext.h"

#include "platform/printer.h"
#include "richtextpages.h"

#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <limits>

namespace {

constexpr double TwipsPerInch = 1440.0;

// Device pixels to twips, whole twips with halves to even.
qint64 toTwips(double pixels, double dpi) {
    return qint64(std::nearbyint(pixels * TwipsPerInch / dpi));
}

bool fitsInt32(qint64 v) {
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

} // namespace

PrintResult PrintRichText(PrinterService& service, const QTextDocument& box, qint32 leftMargin,
                          double topMargin, double rightMargin, double bottomMargin) {
    if (!service.available())
        return PrintResult::noPrinter();
    QPrinter& printer = service.printer();
    const double dpiX = printer.logicalDpiX();
    const double dpiY = printer.logicalDpiY();
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    // Distance from the paper's edges to the printable area, and the paper's size.
    const qint64 leftOffset = toTwips(printable.left() - paper.left(), dpiX);
    const qint64 topOffset = toTwips(printable.top() - paper.top(), dpiY);
    const qint64 paperWidth = toTwips(paper.width(), dpiX);
    const qint64 paperHeight = toTwips(paper.height(), dpiY);

    // The text rectangle in twips, relative to the printable area.
    const auto whole = [](double v) { return qint64(std::nearbyint(v)); };
    const bool marginsValid = std::isfinite(topMargin) && std::isfinite(rightMargin) &&
                              std::isfinite(bottomMargin) && std::abs(topMargin) < 1e12 &&
                              std::abs(rightMargin) < 1e12 && std::abs(bottomMargin) < 1e12;
    const qint64 left = qint64(leftMargin) - leftOffset;
    const qint64 top = marginsValid ? whole(topMargin) - topOffset : 0;
    const qint64 right = marginsValid ? (paperWidth - whole(rightMargin)) - leftOffset : 0;
    const qint64 bottom = marginsValid ? (paperHeight - whole(bottomMargin)) - topOffset : 0;
    if (!marginsValid || !fitsInt32(left) || !fitsInt32(top) || !fitsInt32(right) ||
        !fitsInt32(bottom) || right <= left || bottom <= top)
        return PrintResult::failed(
            QStringLiteral("The margins leave no room for text on the paper."));

    // Opening the painter opens the job and its first page.
    QPainter painter;
    const PrintResult opened = service.beginJob(painter);
    if (!opened.printed())
        return opened;

    const QPointF topLeft(left * dpiX / TwipsPerInch, top * dpiY / TwipsPerInch);
    const QSizeF pageSize((right - left) * dpiX / TwipsPerInch,
                          (bottom - top) * dpiY / TwipsPerInch);
    const RichTextPages pages(box, &printer, pageSize);
    const int textLength = pages.textLength();

    PrintResult result;
    int cpMin = 0;
    for (;;) {
        const int next = pages.formatRange(&painter, topLeft, cpMin);
        ++result.pages;
        if (next >= textLength)
            break;
        if (next <= cpMin)
            break; // nothing more would fit on any page
        cpMin = next;
        if (!printer.newPage()) {
            painter.end();
            if (printer.printerState() == QPrinter::Aborted)
                return PrintResult::cancelled();
            return PrintResult::failed(QStringLiteral("The printer could not start a new page."));
        }
    }
    const PrintResult handedOver = service.endJob(painter);
    if (!handedOver.printed())
        return handedOver;
    return result;
}

#include "adprint.h"

#include "platform/clipboard.h"
#include "platform/msgboxstyle.h"
#include "platform/printer.h"
#include "platform/twips.h"
#include "shell/appstate.h"
#include "shell/form1.h"
#include "widgets/picturebox.h"

#include <QPainter>
#include <QPrinter>

namespace {

void tellFailure(AppState& app, const QString& text) {
    app.platform.MsgBox(text, MsgStyle::OkOnly + MsgStyle::Exclamation, ProductTitle);
}

// PaintPicture at (0, 1 twip), unscaled: one picture pixel is 15 twips.
PrintResult paintPicture(PrinterService& service, const QPixmap& picture) {
    QPainter painter;
    const PrintResult opened = service.beginJob(painter);
    if (!opened.printed())
        return opened;
    QPrinter& printer = service.printer();
    const double dotsPerTwip = printer.resolution() / 1440.0;
    const QRectF target(0, 1 * dotsPerTwip, picture.width() * TwipsPerPixel * dotsPerTwip,
                        picture.height() * TwipsPerPixel * dotsPerTwip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
    return service.endJob(painter);
}

} // namespace

void PrintAd(Form1& form) {
    AppState& app = form.app();
    const int answer =
        app.platform.MsgBox(QStringLiteral("Would you like to print this Kestrun Advertisement?"),
                            MsgStyle::YesNo + MsgStyle::Question, ProductTitle);
    if (answer != MsgReply::Yes)
        return;
    app.platform.pointer.set(MousePointer::Hourglass);
    const PrintResult result = paintPicture(printerOf(app.platform), form.Image1->picture());
    app.platform.pointer.set(MousePointer::Default);
    TellPrintResult(app.platform, result, QStringLiteral("Kestrun Advertisement printed!"),
                    ProductTitle);
}

void PrintSetup(Form1& form) {
    printerOf(form.app().platform).setup(&form);
}

void CopyAdToClipboard(Form1& form) {
    ClipboardService& clipboard = clipboardOf(form.app().platform);
    if (!clipboard.clear() || !clipboard.setImage(form.Image1->picture().toImage()))
        tellFailure(form.app(), QStringLiteral("The clipboard could not be opened. The Kestrun "
                                               "Advertisement was not copied."));
}

#include "document_print.h"

#include "platform/msgboxstyle.h"
#include "platform/printer.h"
#include "printrichtext.h"
#include "richtextbox.h"
#include "shell/appstate.h"
#include "txtform.h"

namespace {

// One inch, in twips.
constexpr int Margin = 1440;

} // namespace

void PrintViewerDocument(AppState& app, txtForm& viewer) {
    app.MessageText =
        QStringLiteral("Would you like to print the ") + CRLF + CRLF + viewer.windowTitle() + "?";
    const int reply =
        app.platform.MsgBox(app.MessageText, MsgStyle::YesNo + MsgStyle::Question, ProductTitle);
    app.MessageReply = QString::number(reply);
    if (app.MessageReply.toInt() != MsgReply::Yes)
        return;

    app.platform.pointer.set(MousePointer::Hourglass);
    const PrintResult result = PrintRichText(printerOf(app.platform), *viewer.rtbText->document(),
                                             Margin, Margin, Margin, Margin);
    app.platform.pointer.set(MousePointer::Default);

    TellPrintResult(app.platform, result, QStringLiteral("Printing complete!"), ProductTitle);
}

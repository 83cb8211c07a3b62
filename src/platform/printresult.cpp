#include "printresult.h"

#include "msgboxstyle.h"
#include "platform.h"

PrintResult PrintResult::failed(const QString& reason) {
    PrintResult r;
    r.outcome = Failed;
    r.reason = reason;
    return r;
}

PrintResult PrintResult::noPrinter() {
    PrintResult r;
    r.outcome = NoPrinter;
    return r;
}

PrintResult PrintResult::cancelled() {
    PrintResult r;
    r.outcome = Cancelled;
    return r;
}

void TellPrintResult(Platform& platform, const PrintResult& result, const QString& doneText,
                     const QString& title) {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    switch (result.outcome) {
    case PrintResult::Printed:
        text = doneText;
        break;
    case PrintResult::NoPrinter:
        text = QStringLiteral("No printer is available.") + crlf + crlf +
               QStringLiteral("Install a printer, then try again.");
        break;
    case PrintResult::Cancelled:
        text = QStringLiteral("Printing was cancelled.");
        break;
    case PrintResult::Failed:
        text = QStringLiteral("Nothing was printed.") + crlf + crlf + result.reason;
        break;
    }
    platform.MsgBox(text, MsgStyle::OkOnly + MsgStyle::Exclamation, title);
}

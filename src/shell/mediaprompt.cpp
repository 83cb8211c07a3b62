#include "mediaprompt.h"

#include "appstate.h"
#include "platform/msgboxstyle.h"

QString MediaPromptText(const QString& code) {
    QString first;
    // Exact, case-sensitive: "ca001" gets no first line.
    if (code == QLatin1String("CA001"))
        first = QStringLiteral(
            "Unable to detect Kestrun Ads: The Marketing of Ruzariz's Zephcar CD-ROM.");
    else if (code == QLatin1String("CA002"))
        first = QStringLiteral(
            "No longer able to detect Kestrun Ads: The Marketing of Ruzariz's Zephcar CD-ROM.");
    return QStringLiteral("Error number: ") + code + CRLF + CRLF + first + CRLF + CRLF +
           QStringLiteral(
               "Make sure that Kestrun Ads: The Marketing of Ruzariz's Zephcar is in CDROM drive.");
}

bool ShowMediaPrompt(AppState& app) {
    const QString code = app.MediaErrorCode;
    app.MessageText = MediaPromptText(code);
    const int reply = app.platform.MsgBox(app.MessageText, MsgStyle::RetryCancel, ProductTitle);
    app.MessageReply = QString::number(reply);
    if (reply == MsgReply::Cancel) {
        app.platform.terminate();
        return false;
    }
    return true;
}

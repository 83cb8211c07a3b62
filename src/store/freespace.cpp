#include "freespace.h"

#include "copyads.h"
#include "platform/diskspace.h"
#include "platform/msgboxstyle.h"
#include "shell/appstate.h"

QString FormatThousands(qint64 value) {
    if (value == 0)
        return {};
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -value : value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString NotEnoughSpaceText(qint64 freeBytes) {
    const QString twoLines = CRLF + CRLF;
    return QStringLiteral("Not enough available hard disk space to copy Ads.") + twoLines +
           QStringLiteral("Free some up and try again.") + twoLines +
           QStringLiteral("You have:  ") + FormatThousands(freeBytes) + QStringLiteral(" bytes") +
           twoLines + QStringLiteral("You need:   ") + FormatThousands(AdsTotalBytes - freeBytes) +
           QStringLiteral(" bytes more") + twoLines + QStringLiteral("For a total of:   ") +
           FormatThousands(AdsTotalBytes) + QStringLiteral(" bytes free.") + CRLF;
}

qint64 GetDiskSpace(AppState& app) {
    // The volume that receives the copy, whatever the current folder is.
    const QString folder = app.platform.files->hostPathOf(app.platform.program.CopyPath);
    const auto free = diskSpaceOf(app.platform).freeBytes(folder);
    if (free)
        return *free;
    app.platform.MsgBox(QStringLiteral("Internal GetDisk error!"), MsgStyle::OkOnly, QString());
    return 0;
}

bool CheckDiskSpace(AppState& app) {
    const qint64 freeBytes = GetDiskSpace(app);
    if (freeBytes >= AdsTotalBytes)
        return true;
    app.MessageText = NotEnoughSpaceText(freeBytes);
    const int reply = app.platform.MsgBox(app.MessageText, MsgStyle::Critical, ProductTitle);
    app.MessageReply = QString::number(reply);
    return false;
}

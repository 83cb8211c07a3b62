#include "printsystem.h"

#include <cups/cups.h>

namespace PrintSystem {

QString refusal(const QString& printerName) {
    // A name may carry an instance after a slash ("queue/instance").
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = printerName.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return QStringLiteral("The print system does not know the printer \"%1\" (%2).")
            .arg(printerName, QString::fromUtf8(cupsLastErrorString()));
    QString why;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    // IPP printer-state 5 is "stopped".
    if (state && qstrcmp(state, "5") == 0)
        why = QStringLiteral("The printer \"%1\" is stopped.").arg(printerName);
    else if (accepting && qstrcmp(accepting, "false") == 0)
        why = QStringLiteral("The printer \"%1\" does not accept jobs.").arg(printerName);
    cupsFreeDests(1, dest);
    return why;
}

QString lastJobRefusal() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return QString();
    return QStringLiteral("The print system refused the job: %1")
        .arg(QString::fromUtf8(cupsLastErrorString()));
}

} // namespace PrintSystem

#include "shelllinks.h"

#include "platform.h"

#include <QDesktopServices>

QUrl ShellLinks::urlForAddress(const QString& address) {
    const QString a = address.trimmed();
    if (a.contains(QLatin1String("://")))
        return QUrl(a);
    return QUrl(QStringLiteral("http://") + a);
}

bool ShellLinks::open(const QUrl& url) {
    return url.isValid() && QDesktopServices::openUrl(url);
}

ShellLinks& shellLinks(Platform& platform) {
    if (!platform.shellLinks)
        platform.shellLinks = std::make_shared<ShellLinks>();
    return *platform.shellLinks;
}

#pragma once

#include <QUrl>

struct Platform;

// Opens an address with the desktop's default handler (the web browser for
// web addresses) and returns at once. Tests put in a recording one.
class ShellLinks {
public:
    virtual ~ShellLinks() = default;
    // False when no handler took the address.
    bool ShellExecute(const QString& address) { return open(urlForAddress(address)); }
    // A bare host name, with or without a path, is a web address.
    static QUrl urlForAddress(const QString& address);

protected:
    virtual bool open(const QUrl& url);
};

// The platform's shell links, made from the desktop when none was put in.
ShellLinks& shellLinks(Platform& platform);

#include "clipboard.h"

#include "platform.h"

#include <QClipboard>
#include <QGuiApplication>

bool ClipboardService::clear() {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c)
        return false;
    c->clear();
    return true;
}

bool ClipboardService::setImage(const QImage& image) {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c || image.isNull())
        return false;
    c->setImage(image);
    return true;
}

ClipboardService& clipboardOf(Platform& platform) {
    if (!platform.clipboard)
        platform.clipboard = std::make_shared<ClipboardService>();
    return *platform.clipboard;
}

#include "art.h"

#include <QPainter>
#include <QSvgRenderer>

QImage renderArt(const QString& name, QSize size, QImage::Format format) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QSvgRenderer svg(QStringLiteral(":/art/") + name);
    if (svg.isValid()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    }
    return img.convertToFormat(format);
}

QIcon programIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(
            renderArt(QStringLiteral("icon.svg"), QSize(side, side), QImage::Format_ARGB32)));
    return icon;
}

#include "art.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

// A drawing is normally stored already rendered at the size a window needs
// (":/art/NAME-WxH.bmp|jpg|png", made when the program is built); a size
// nobody stored is rendered from the drawing itself.
QImage renderArt(const QString& name, QSize size, QImage::Format format) {
    const QString stem = QFileInfo(name).completeBaseName();
    for (const char* ext : {"bmp", "jpg", "png"}) {
        const QString stored = QStringLiteral(":/art/%1-%2x%3.%4")
                                   .arg(stem)
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(QLatin1String(ext));
        QImageReader reader(stored);
        if (reader.canRead()) {
            const QImage img = reader.read();
            if (img.size() == size)
                return img.convertToFormat(format);
        }
    }
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(format == QImage::Format_ARGB32 ? Qt::transparent : Qt::white);
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

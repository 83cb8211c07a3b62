#include "rtfpictures.h"

#include "platform/twips.h"
#include "rtftokenizer.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextImageFormat>
#include <cmath>

namespace rtf {

void PictureBuilder::word(QByteArrayView w, bool hasParam, int param) {
    PictureData& p = picture;
    if (w == "pngblip")
        p.format = PictureData::Png;
    else if (w == "jpegblip")
        p.format = PictureData::Jpeg;
    else if (w == "emfblip" || w == "wmetafile" || w == "pmmetafile" || w == "macpict")
        p.format = PictureData::Metafile;
    else if (w == "dibitmap" || w == "wbitmap")
        p.format = PictureData::Bitmap;
    else if (!hasParam)
        return;
    else if (w == "picw")
        p.width = param;
    else if (w == "pich")
        p.height = param;
    else if (w == "picwgoal")
        p.goalWidth = param;
    else if (w == "pichgoal")
        p.goalHeight = param;
    else if (w == "picscalex")
        p.scaleX = param;
    else if (w == "picscaley")
        p.scaleY = param;
    else if (w == "piccropl")
        p.cropLeft = param;
    else if (w == "piccropr")
        p.cropRight = param;
    else if (w == "piccropt")
        p.cropTop = param;
    else if (w == "piccropb")
        p.cropBottom = param;
}

void PictureBuilder::hexText(QByteArrayView text) {
    QByteArray& out = picture.data;
    out.reserve(out.size() + text.size() / 2);
    for (char c : text) {
        const int v = hexValue(c);
        if (v < 0)
            continue; // blanks and stray characters between the digits
        if (picture.pendingNibble < 0) {
            picture.pendingNibble = v;
        } else {
            out += char(picture.pendingNibble * 16 + v);
            picture.pendingNibble = -1;
        }
    }
}

QImage PictureStore::decode(const PictureData& picture, QSize* declared) {
    if (picture.format != PictureData::Png && picture.format != PictureData::Jpeg)
        return {};
    QByteArray bytes = picture.data;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, picture.format == PictureData::Png ? "png" : "jpeg");
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    *declared = size;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > MaxSourcePixels)
        return {};
    QSize target = size;
    if (target.width() > MaxDecodedSide || target.height() > MaxDecodedSide)
        target.scale(MaxDecodedSide, MaxDecodedSide, Qt::KeepAspectRatio);
    const qint64 targetPixels = qint64(target.width()) * target.height();
    if (targetPixels > m_pixelsLeft)
        return {};
    if (target != size)
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    m_pixelsLeft -= targetPixels;
    return image;
}

QString PictureStore::boxResource(QSize shown, QList<Picture>& resources) {
    // A small drawing stretched to the shown size; boxes of one shape share it.
    QSize small = shown;
    small.scale(48, 48, Qt::KeepAspectRatio);
    small = small.expandedTo(QSize(2, 2));
    const quint64 key = (quint64(small.width()) << 32) | quint64(small.height());
    const auto it = m_boxes.constFind(key);
    if (it != m_boxes.cend())
        return *it;
    QImage box(small, QImage::Format_ARGB32_Premultiplied);
    box.fill(Qt::transparent);
    QPainter p(&box);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(QRect(QPoint(0, 0), small - QSize(1, 1)));
    p.end();
    const QString name = QStringLiteral("rtf-box:%1x%2").arg(small.width()).arg(small.height());
    resources << Picture{name, box};
    m_boxes.insert(key, name);
    return name;
}

Span PictureStore::make(const PictureData& picture, const QTextCharFormat& base,
                        QList<Picture>& resources) {
    QSize declared;
    const QImage image = decode(picture, &declared);
    // The shown size in twips: the goal size, else the picture's own.
    double w = picture.goalWidth;
    double h = picture.goalHeight;
    if (w <= 0 || h <= 0) {
        if (declared.isValid()) {
            w = double(declared.width()) * TwipsPerPixel;
            h = double(declared.height()) * TwipsPerPixel;
        } else if (picture.format == PictureData::Metafile) {
            w = picture.width * 1440.0 / 2540.0; // 0.01 mm
            h = picture.height * 1440.0 / 2540.0;
        } else {
            w = double(picture.width) * TwipsPerPixel;
            h = double(picture.height) * TwipsPerPixel;
        }
    }
    w -= double(picture.cropLeft) + picture.cropRight;
    h -= double(picture.cropTop) + picture.cropBottom;
    w *= qBound(1, picture.scaleX, 10000) / 100.0;
    h *= qBound(1, picture.scaleY, 10000) / 100.0;
    if (!(w >= 1) || !(h >= 1))
        return {};
    const double shrink = std::min({1.0, MaxSideTwips / w, MaxSideTwips / h});
    const QSize shown(qMax(1, int(std::lround(w * shrink / TwipsPerPixel))),
                      qMax(1, int(std::lround(h * shrink / TwipsPerPixel))));

    QString name;
    if (!image.isNull()) {
        name = QStringLiteral("rtf-picture:%1").arg(++m_count);
        resources << Picture{name, image};
    } else {
        name = boxResource(shown, resources);
    }
    QTextImageFormat format;
    format.merge(base);
    format.setObjectType(QTextFormat::ImageObject);
    format.setName(name);
    format.setWidth(shown.width());
    format.setHeight(shown.height());
    Span span;
    span.format = format;
    return span;
}

} // namespace rtf

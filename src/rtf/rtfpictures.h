#pragma once

#include "rtfmodel.h"

#include <QByteArray>
#include <QHash>
#include <QSize>

namespace rtf {

// The properties and data of one \pict group.
struct PictureData {
    enum Format { Unknown, Png, Jpeg, Metafile, Bitmap };
    Format format = Unknown;
    int width = 0, height = 0;         // \picw, \pich: pixels, or 0.01 mm for metafiles
    int goalWidth = 0, goalHeight = 0; // \picwgoal, \pichgoal: twips
    int scaleX = 100, scaleY = 100;    // \picscalex, \picscaley: percent
    int cropLeft = 0, cropRight = 0, cropTop = 0, cropBottom = 0; // twips
    QByteArray data;
    int pendingNibble = -1; // first hex digit of a byte not yet complete
};

// Collects the hex digits and binary data of a \pict group.
class PictureBuilder {
public:
    PictureData picture;
    void word(QByteArrayView w, bool hasParam, int param);
    void hexText(QByteArrayView text);
    void binary(QByteArrayView data) { picture.data += data; }
};

// Turns pictures into document resources. PNG and JPEG pictures are shown;
// others become an empty box of their stated size. Sizes, decoded pixels and
// the number of distinct boxes are bounded.
class PictureStore {
public:
    // Largest side shown, twips (22 inches).
    static constexpr int MaxSideTwips = 31680;
    // Pictures with more pixels than this are not decoded.
    static constexpr qint64 MaxSourcePixels = 16'000'000;
    // Decoded pictures are scaled down to fit this square.
    static constexpr int MaxDecodedSide = 2048;
    // All decoded pictures of a document together (64 MB).
    static constexpr qint64 PixelBudget = 16'000'000;

    // A span showing the picture, or an empty span when it has no size at all.
    Span make(const PictureData& picture, const QTextCharFormat& base, QList<Picture>& resources);

private:
    // The decoded picture, or a null image; *declared is the size the data
    // claims, when it says.
    QImage decode(const PictureData& picture, QSize* declared);
    QString boxResource(QSize shownPixels, QList<Picture>& resources);

    qint64 m_pixelsLeft = PixelBudget;
    int m_count = 0;
    QHash<quint64, QString> m_boxes;
};

} // namespace rtf

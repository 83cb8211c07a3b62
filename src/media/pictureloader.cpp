#include "pictureloader.h"

#include "files.h"

#include <QBuffer>
#include <QImageReader>

namespace {

QImage fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return QImage();
}

quint32 le16(const unsigned char* b) {
    return quint32(b[0]) | quint32(b[1]) << 8;
}

quint32 le32(const unsigned char* b) {
    return le16(b) | le16(b + 2) << 16;
}

// Walks run-length codes up to the end-of-bitmap code; false when the data
// ends first.
bool rleHasEnd(const unsigned char* b, qsizetype n, bool fourBits) {
    qsizetype i = 0;
    while (i + 1 < n) {
        const unsigned char count = b[i];
        const unsigned char code = b[i + 1];
        i += 2;
        if (count != 0 || code == 0)
            continue; // a run of pixels, or the end of a line
        if (code == 1)
            return true;
        if (code == 2) {
            i += 2; // a move to another place
            continue;
        }
        // `code` pixels written out, padded to an even number of bytes.
        const qsizetype bytes = fourBits ? (code + 1) / 2 : code;
        i += (bytes + 1) & ~qsizetype(1);
    }
    return false;
}

} // namespace

bool bmpIsComplete(const QByteArray& data) {
    const auto* b = reinterpret_cast<const unsigned char*>(data.constData());
    const qsizetype n = data.size();
    if (n < 26 || b[0] != 'B' || b[1] != 'M')
        return false;
    const qsizetype offset = le32(b + 10);
    const quint32 headerSize = le32(b + 14);
    qint64 width = 0, height = 0, bits = 0;
    quint32 compression = 0;
    if (headerSize == 12) { // the old core header
        width = le16(b + 18);
        height = le16(b + 20);
        bits = le16(b + 24);
    } else if (headerSize >= 40 && n >= 34) {
        width = qint32(le32(b + 18));
        height = qint32(le32(b + 22)); // negative: rows stored from the top
        bits = le16(b + 28);
        compression = le32(b + 30);
    } else {
        return false;
    }
    height = qAbs(height);
    if (width <= 0 || width > MaxPictureSide || height == 0 || height > MaxPictureSide ||
        offset >= n)
        return false;
    switch (compression) {
    case 0: // rows of pixels as they are, each padded to four bytes
    case 3:
    case 6:
        return offset + (width * bits + 31) / 32 * 4 * height <= n;
    case 1:
    case 2:
        return rleHasEnd(b + offset, n - offset, compression == 2);
    default:
        return false;
    }
}

bool jpegIsComplete(const QByteArray& data) {
    const auto* b = reinterpret_cast<const unsigned char*>(data.constData());
    const qsizetype n = data.size();
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return false;
    // Walk the marker segments up to the first scan; an embedded thumbnail's
    // own end marker lies inside a segment and is skipped with it. Like the
    // decoder, bytes between segments (left by a segment whose length is
    // written wrong) are passed over up to the next marker: the decoder warns
    // and goes on, and whatever it cannot use it refuses itself.
    qsizetype i = 2;
    for (;;) {
        while (i < n && b[i] != 0xFF)
            ++i;
        while (i < n && b[i] == 0xFF) // the marker's 0xFF and any fill bytes
            ++i;
        if (i + 2 >= n)
            return false;
        const unsigned char marker = b[i++];
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // not a marker, or one without a segment
        if (marker == 0xD9)
            return false; // the image ends before any scan
        const qsizetype length = (qsizetype(b[i]) << 8) | b[i + 1];
        if (length < 2)
            return false;
        i += length;
        if (marker == 0xDA)
            break;
    }
    // In scan data 0xFF is always followed by 0x00, a restart marker or a
    // fill byte, so the first 0xFF 0xD9 is the real end of the image.
    for (; i + 1 < n; ++i)
        if (b[i] == 0xFF && b[i + 1] == 0xD9)
            return true;
    return false;
}

QImage LoadPicture(const Files& files, const QString& path, QString* error) {
    auto device = files.openRead(path);
    if (!device)
        return fail(error, QStringLiteral("File not found"));
    // Pictures are read whole into memory once; the reader works on the copy,
    // so a medium that goes away halfway fails here and not inside the decoder.
    const qint64 size = device->size();
    if (size <= 0 || size > 512LL * 1024 * 1024)
        return fail(error, QStringLiteral("Invalid picture"));
    const QByteArray data = device->readAll();
    if (data.size() != size)
        return fail(error, QStringLiteral("Device I/O error"));
    return DecodePicture(data, error);
}

QImage DecodePicture(const QByteArray& bytes, QString* error) {
    // Qt refuses pictures above 128 MB decoded (about 33.5 megapixels) unless
    // told otherwise, for every reader of the process; a scan may be as large
    // as the cap on pixels.
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(int(MaxPicturePixels * 4 / (1024 * 1024)) + 1);
        return true;
    }();
    (void)limitSet;
    QByteArray data = bytes; // shared, not copied: the buffer only reads
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "bmp")
        return fail(error, QStringLiteral("Invalid picture"));
    if (format == "jpeg" && !jpegIsComplete(data))
        return fail(error, QStringLiteral("Invalid picture"));
    if (format == "bmp" && !bmpIsComplete(data))
        return fail(error, QStringLiteral("Invalid picture"));
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty() || declared.width() > MaxPictureSide ||
        declared.height() > MaxPictureSide ||
        qint64(declared.width()) * declared.height() > MaxPicturePixels)
        return fail(error, QStringLiteral("Invalid picture"));
    reader.setAutoTransform(false); // the picture as stored, as the ads were scanned
    QImage image = reader.read();
    if (image.isNull() || image.size() != declared)
        return fail(error, QStringLiteral("Invalid picture"));
    return image;
}

#pragma once

#include <QImage>
#include <QString>

class Files;

// Loads a picture file of the medium: JPEG or bitmap, read in full. A missing,
// unreadable, truncated or corrupt file, another format, or a picture of
// absurd dimensions is a load error (a null image, with the reason).
QImage LoadPicture(const Files& files, const QString& path, QString* error = nullptr);

// The same for the bytes of a picture file already read (any thread).
QImage DecodePicture(const QByteArray& data, QString* error = nullptr);

// The largest picture accepted, in pixels (about 16 000 × 16 000 pixels' worth of memory
// would be far beyond any scanned page).
constexpr qint64 MaxPicturePixels = 64LL * 1024 * 1024;
constexpr int MaxPictureSide = 32767;

// True when JPEG data has its end-of-image marker after the first scan, that
// is, when nothing was cut off.
bool jpegIsComplete(const QByteArray& data);

// True when bitmap data holds every row its header declares (for run-length
// bitmaps: the end-of-bitmap code), that is, when nothing was cut off.
bool bmpIsComplete(const QByteArray& data);

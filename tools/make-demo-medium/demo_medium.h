#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// Builds a demonstration medium laid out like the Kestrun Ads CD-ROM:
// ads/YYtovaNN.jpg pictures and three RichText documents.
namespace demo {

// Picture size used unless a year plan says otherwise.
inline constexpr QSize kDefaultAdSize{600, 750};

// The ads of one model year; sizes[i] is the picture size of numbers[i].
struct YearPlan {
    int year = 0;
    QList<int> numbers;
    QList<QSize> sizes;
};

// Content of the demo medium, ordered by year. Years without ads are absent.
QList<YearPlan> demoPlan();

// Number of pictures the plan describes.
int pictureCount(const QList<YearPlan>& plan);

// File name of an ad picture, e.g. "72tova03.jpg" for 1972 ad 3.
QString adFileName(int year, int number);

// Draws one printed advertisement page of the given size.
QImage adPicture(int year, int number, QSize size);

// Draws an ad and saves it as JPEG; false if the file cannot be written.
bool writeAdJpeg(const QString& path, int year, int number, QSize size, int quality = 85);

// RichText documents of the medium.
QByteArray adsListRtf();
QByteArray noticeRtf();
QByteArray registerRtf();

// Writes dir/ads/*.jpg and dir/RichText/*.rtf, creating folders and
// overwriting files. On failure returns false and describes why in *error.
bool writeDemoMedium(const QString& dir, QString* error = nullptr);

} // namespace demo

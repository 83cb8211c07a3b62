#pragma once

#include <QByteArray>
#include <QString>

// How an image names its files: plain ISO 9660 level 1 (upper-case 8.3
// names with a ";1" version), Joliet, or Rock Ridge.
enum class Naming { Plain, Joliet, RockRidge };

QString namingName(Naming naming);

// Writes the three documents of the medium into folder/RichText.
void writeDocuments(const QString& folder);

// Builds a CD image of folder with xorriso; false (with the reason logged)
// when xorriso is missing or fails.
bool makeImage(const QString& folder, const QString& image, Naming naming);
// The same with xorriso's own commands (Rock Ridge), e.g. {"-map", folder,
// "/", "-set_filter_r", "--zisofs", "/RichText", "--"} to keep a folder
// compressed on the disc.
bool makeImageWith(const QString& image, const QStringList& commands);

// The bytes of a file, empty when it cannot be read.
QByteArray fileBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// Damaged copies of a plain image: the first `bytes` of it; a directory
// record (found by its name on the disc, e.g. "ADS" or "64TOVA01.JPG;1")
// pointed at another block, or given another length.
bool truncateImage(const QString& image, qint64 bytes);
bool pointRecordAt(const QString& image, const QByteArray& name, quint32 block);
bool setRecordLength(const QString& image, const QByteArray& name, quint32 length);
// The block of the root folder.
quint32 rootBlock(const QString& image);

#pragma once

#include "volume.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <sys/types.h>

struct archive;
struct IsoImageSource;

// What identifies one state of an image file: when any of it changes, the
// listing read earlier no longer describes the file.
struct ImageStamp {
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const ImageStamp&) const = default;

    // The stamp of a regular file; nullopt when there is none at the path.
    static std::optional<ImageStamp> ofPath(const QString& path);
    static std::optional<ImageStamp> ofHandle(int fd);
};

// One file or folder of an image.
struct IsoNode {
    QString name; // as on the disc, without a ";1" version
    bool isDir = false;
    qint64 size = 0;
    QDateTime modified;
    // Where the file's bytes start in the image; -1 when they can only be
    // read through libarchive (compressed, split or overlapping data).
    qint64 dataOffset = -1;
    // The entry that carries the bytes: its place in libarchive's order and
    // its name there, to find it again.
    int ordinal = -1;
    QByteArray archivePath;
    // Folders: children in binary order of names, their entries, and the
    // index of each exact name.
    QList<int> children;
    QList<VolumeEntry> entries;
    QHash<QString, int> byName;
};

// The listing of an image, read once with libarchive (Rock Ridge, Joliet or
// plain ISO 9660 names). Node 0 is the root folder.
struct IsoCatalog {
    ImageStamp stamp;
    QList<IsoNode> nodes;

    // The node at exactly these names; nullopt when missing.
    std::optional<int> find(const QStringList& path) const;
    // The child of a folder by name: the exact spelling first, then any
    // letter case (the first in binary order).
    std::optional<int> child(int folder, const QString& name) const;
};

// The most entries an image may list before it counts as damaged: far more
// than a CD-ROM's directories hold.
constexpr int MaxIsoEntries = 1 << 20;

// Reads the listing of the image at path. nullopt when the file is no image,
// is cut short, or its directory records loop or point outside the file.
// Only directory records are read; file contents are skipped.
std::optional<IsoCatalog> readIsoCatalog(const QString& path);

// True when the first bytes of a file's data are the header of a file that
// the disc keeps compressed (zisofs), which only libarchive can undo.
bool isCompressedOnDisc(QByteArrayView firstBytes);

// True when libarchive recognises the file as an ISO 9660 image.
bool looksLikeIsoImage(const QString& path);

// An archive opened on an image and standing on one entry, for reading its
// bytes through libarchive.
class IsoEntryReader {
public:
    IsoEntryReader();
    ~IsoEntryReader();
    IsoEntryReader(const IsoEntryReader&) = delete;
    IsoEntryReader& operator=(const IsoEntryReader&) = delete;

    // Opens the image and walks to the entry; false when it is not there (the
    // image changed) or cannot be reached.
    bool open(const QString& imagePath, const ImageStamp& stamp, int ordinal,
              const QByteArray& archivePath);
    // Up to max bytes of the entry; 0 at its end, -1 on a read error.
    qint64 read(char* data, qint64 max);
    void close();

private:
    archive* m_archive = nullptr;
    std::unique_ptr<IsoImageSource> m_source;
};

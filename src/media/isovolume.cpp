#include "isovolume.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString ReadError = QStringLiteral("Device I/O error");

// A file whose bytes lie in one piece in the image, read straight from it.
class ImageSliceDevice : public QIODevice {
public:
    ImageSliceDevice(qint64 offset, qint64 size) : m_offset(offset), m_size(size) {}

    bool openOn(const QString& image, const ImageStamp& stamp) {
        m_image.setFileName(image);
        if (!m_image.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
            ImageStamp::ofHandle(m_image.handle()) != stamp)
            return false;
        return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    // True when the disc keeps these bytes compressed.
    bool startsCompressed() {
        char head[8];
        return m_size > 0 && m_image.seek(m_offset) && m_image.read(head, 8) == 8 &&
               isCompressedOnDisc(QByteArrayView(head, 8));
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }
    bool seek(qint64 pos) override {
        if (pos > m_size || !QIODevice::seek(pos))
            return false;
        m_pos = pos;
        return true;
    }

protected:
    qint64 readData(char* data, qint64 max) override {
        const qint64 want = qMin(max, m_size - m_pos);
        if (want <= 0)
            return 0;
        const qint64 got = m_image.seek(m_offset + m_pos) ? m_image.read(data, want) : -1;
        if (got <= 0) {
            // The image got shorter under us.
            setErrorString(ReadError);
            return -1;
        }
        m_pos += got;
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QFile m_image;
    qint64 m_offset;
    qint64 m_size;
    qint64 m_pos = 0;
};

// A file whose bytes only libarchive can give (compressed on the disc, split,
// or overlapping another file's): read through it from the entry's start.
class ArchiveEntryDevice : public QIODevice {
public:
    ArchiveEntryDevice(QString image, ImageStamp stamp, const IsoNode& node)
        : m_image(std::move(image)), m_stamp(stamp), m_ordinal(node.ordinal),
          m_path(node.archivePath), m_size(node.size) {}

    bool start() {
        m_pos = 0;
        if (!m_reader.open(m_image, m_stamp, m_ordinal, m_path))
            return false;
        return isOpen() || QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }
    bool seek(qint64 pos) override {
        if (pos > m_size || !QIODevice::seek(pos))
            return false;
        // libarchive only reads forward: going back starts the entry again.
        if (pos < m_pos && !start())
            return false;
        char scratch[16 * 1024];
        while (m_pos < pos) {
            const qint64 n = m_reader.read(scratch, qMin<qint64>(sizeof scratch, pos - m_pos));
            if (n <= 0)
                return false;
            m_pos += n;
        }
        return true;
    }

protected:
    qint64 readData(char* data, qint64 max) override {
        const qint64 want = qMin(max, m_size - m_pos);
        if (want <= 0)
            return 0;
        const qint64 got = m_reader.read(data, want);
        if (got <= 0) {
            setErrorString(ReadError);
            return -1;
        }
        m_pos += got;
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QString m_image;
    ImageStamp m_stamp;
    int m_ordinal;
    QByteArray m_path;
    qint64 m_size;
    qint64 m_pos = 0;
    IsoEntryReader m_reader;
};

VolumeEntry entryOf(const IsoNode& node) {
    VolumeEntry e;
    e.name = node.name;
    e.isDir = node.isDir;
    e.size = node.size;
    e.modified = node.modified;
    return e;
}

} // namespace

IsoVolume::IsoVolume(QString imagePath) : m_image(std::move(imagePath)) {}

IsoVolume::~IsoVolume() = default;

bool IsoVolume::hasImageSuffix(const QString& path) {
    return path.endsWith(QLatin1String(".iso"), Qt::CaseInsensitive);
}

bool IsoVolume::isImageFile(const QString& path) {
    return QFileInfo(path).isFile() && (hasImageSuffix(path) || looksLikeIsoImage(path));
}

std::shared_ptr<const IsoCatalog> IsoVolume::catalog() const {
    const auto stamp = ImageStamp::ofPath(m_image);
    std::lock_guard lock(m_mutex);
    if (!stamp) {
        // No file (yet): the disc is out; the next look finds it if it comes.
        m_catalog.reset();
        m_checked.reset();
        return nullptr;
    }
    if (m_checked == stamp)
        return m_catalog;
    auto read = readIsoCatalog(m_image);
    if (read) {
        m_checked = read->stamp;
        m_catalog = std::make_shared<const IsoCatalog>(std::move(*read));
    } else {
        // A damaged image stays refused until the file changes.
        m_checked = stamp;
        m_catalog.reset();
    }
    return m_catalog;
}

std::optional<QList<VolumeEntry>> IsoVolume::list(const QStringList& folder) const {
    const auto cat = catalog();
    if (!cat)
        return std::nullopt;
    const auto at = cat->find(folder);
    if (!at || !cat->nodes[*at].isDir)
        return std::nullopt;
    return cat->nodes[*at].entries;
}

std::optional<VolumeEntry> IsoVolume::stat(const QStringList& path) const {
    const auto cat = catalog();
    if (!cat)
        return std::nullopt;
    const auto at = cat->find(path);
    if (!at)
        return std::nullopt;
    return entryOf(cat->nodes[*at]);
}

std::optional<QStringList> IsoVolume::resolve(const QStringList& path) const {
    const auto cat = catalog();
    if (!cat)
        return std::nullopt;
    QStringList real;
    int at = 0;
    for (const QString& want : path) {
        if (!cat->nodes[at].isDir)
            return std::nullopt;
        const auto next = cat->child(at, want);
        if (!next)
            return std::nullopt;
        at = *next;
        real << cat->nodes[at].name;
    }
    return real;
}

std::unique_ptr<QIODevice> IsoVolume::openRead(const QStringList& path) const {
    const auto cat = catalog();
    if (!cat)
        return nullptr;
    const auto at = cat->find(path);
    if (!at || cat->nodes[*at].isDir)
        return nullptr;
    const IsoNode& node = cat->nodes[*at];
    if (node.dataOffset >= 0 || node.size == 0) {
        auto slice =
            std::make_unique<ImageSliceDevice>(qMax<qint64>(0, node.dataOffset), node.size);
        if (!slice->openOn(m_image, cat->stamp))
            return nullptr;
        if (!slice->startsCompressed())
            return slice;
    }
    auto entry = std::make_unique<ArchiveEntryDevice>(m_image, cat->stamp, node);
    if (!entry->start())
        return nullptr;
    return entry;
}

QString IsoVolume::hostPath(const QStringList&) const {
    return {};
}

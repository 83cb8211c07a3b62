#include "isocatalog.h"

#include <QFile>
#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bytes libarchive asks for in one read of the image.
constexpr qint64 ReadBlockBytes = 64 * 1024;
// Files of 4 GiB and more are split over several extents on the disc, so
// their bytes need not lie in one piece.
constexpr qint64 SingleExtentLimit = 0xFFFFFFFFLL;
// The first bytes of a file that the disc stores compressed (zisofs).
constexpr char ZisofsMagic[8] = {'\x37', '\xE4', '\x53', '\x96', '\xC9', '\xDB', '\xD6', '\x07'};

// Joliet names are UTF-16 on the disc; libarchive turns them into the
// thread's character set, which must be UTF-8 for every name to survive.
class Utf8Names {
public:
    Utf8Names() {
        m_utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
        if (m_utf8)
            m_previous = uselocale(m_utf8);
    }
    ~Utf8Names() {
        if (!m_utf8)
            return;
        uselocale(m_previous);
        freelocale(m_utf8);
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

private:
    locale_t m_utf8 = locale_t(nullptr);
    locale_t m_previous = locale_t(nullptr);
};

qint64 nanoseconds(const timespec& t) {
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

std::optional<ImageStamp> stampOf(const struct stat& st) {
    if (!S_ISREG(st.st_mode))
        return std::nullopt;
    ImageStamp s;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = nanoseconds(st.st_mtim);
    s.changedNs = nanoseconds(st.st_ctim);
    return s;
}

int openImage(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that a pipe put where the image was cannot hang us.
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool readAt(int fd, qint64 offset, char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        offset += n;
        size -= n;
    }
    return true;
}

bool startsCompressed(int fd, qint64 offset) {
    char head[sizeof ZisofsMagic];
    return readAt(fd, offset, head, sizeof head) &&
           isCompressedOnDisc(QByteArrayView(head, sizeof head));
}

// A libarchive path split into names, without "." parts and with the
// version (";1") taken off the last name. Empty for the root; nullopt for a
// path that climbs out of the disc.
std::optional<QStringList> namesOf(const char* archivePath) {
    QStringList names;
    const auto parts = QString::fromUtf8(archivePath).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return std::nullopt;
        names << part;
    }
    if (names.isEmpty())
        return names;
    QString& last = names.last();
    const qsizetype semi = last.lastIndexOf(QLatin1Char(';'));
    if (semi > 0 && semi + 1 < last.size() &&
        std::all_of(last.cbegin() + semi + 1, last.cend(), [](QChar c) { return c.isDigit(); })) {
        last.truncate(semi);
        // "README.;1": the dot only separated an empty extension.
        if (last.size() > 1 && last.endsWith(QLatin1Char('.')))
            last.chop(1);
    }
    return names;
}

QDateTime modifiedOf(archive_entry* e) {
    if (!archive_entry_mtime_is_set(e))
        return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(archive_entry_mtime(e)) * 1000 +
                                          archive_entry_mtime_nsec(e) / 1000000);
}

} // namespace

bool isCompressedOnDisc(QByteArrayView firstBytes) {
    return firstBytes.startsWith(QByteArrayView(ZisofsMagic, sizeof ZisofsMagic));
}

std::optional<ImageStamp> ImageStamp::ofPath(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return stampOf(st);
}

std::optional<ImageStamp> ImageStamp::ofHandle(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return stampOf(st);
}

// The image as libarchive reads it: forward only, in blocks, skipping file
// contents with a seek. It has no way back, so no damaged record can make it
// read any part of the file twice.
struct IsoImageSource {
    int fd = -1;
    qint64 size = 0;
    qint64 position = 0;
    QByteArray block{int(ReadBlockBytes), Qt::Uninitialized};

    ~IsoImageSource() {
        if (fd >= 0)
            ::close(fd);
    }

    static la_ssize_t read(archive* a, void* self, const void** buffer) {
        auto* s = static_cast<IsoImageSource*>(self);
        for (;;) {
            const ssize_t n = ::read(s->fd, s->block.data(), size_t(s->block.size()));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                archive_set_error(a, errno, "Cannot read the image");
                return -1;
            }
            s->position += n;
            *buffer = s->block.constData();
            return n;
        }
    }

    // Never past the end: what lies beyond is missing, and libarchive learns
    // it from the read that follows.
    static la_int64_t skip(archive*, void* self, la_int64_t request) {
        auto* s = static_cast<IsoImageSource*>(self);
        const la_int64_t step = std::min<la_int64_t>(request, s->size - s->position);
        if (step <= 0 || ::lseek(s->fd, off_t(step), SEEK_CUR) < 0)
            return 0;
        s->position += step;
        return step;
    }
};

namespace {

// An archive reading the image through source; nullptr when the file is no
// ISO 9660 image.
archive* openArchive(IsoImageSource& source) {
    archive* a = archive_read_new();
    if (!a)
        return nullptr;
    archive_read_support_format_iso9660(a);
    archive_read_set_read_callback(a, &IsoImageSource::read);
    archive_read_set_skip_callback(a, &IsoImageSource::skip);
    archive_read_set_callback_data(a, &source);
    if (archive_read_open1(a) != ARCHIVE_OK) {
        archive_read_free(a);
        return nullptr;
    }
    return a;
}

struct ArchiveCloser {
    void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveCloser>;

// Builds the tree of nodes entry by entry.
class CatalogBuilder {
public:
    CatalogBuilder(IsoCatalog& catalog, int fd, qint64 imageSize)
        : m_catalog(catalog), m_fd(fd), m_imageSize(imageSize) {
        IsoNode root;
        root.isDir = true;
        m_catalog.nodes << root;
    }

    // False when the entry shows the image to be damaged.
    bool add(archive* a, archive_entry* e, int ordinal);
    void finish();

private:
    std::optional<int> folder(const QStringList& names);
    std::optional<int> addChild(int parent, const QString& name, IsoNode node);
    bool addFile(archive* a, archive_entry* e, IsoNode& node);
    void verifyOffset(archive* a, qint64 offset);

    IsoCatalog& m_catalog;
    int m_fd;
    qint64 m_imageSize;
    QHash<QByteArray, int> m_byArchivePath;
    qint64 m_dataEnd = 0;
    bool m_verified = false;
    bool m_offsetsTrusted = true;
};

std::optional<int> CatalogBuilder::addChild(int parent, const QString& name, IsoNode node) {
    if (const auto it = m_catalog.nodes[parent].byName.constFind(name);
        it != m_catalog.nodes[parent].byName.cend())
        return std::nullopt;
    node.name = name;
    const int index = int(m_catalog.nodes.size());
    m_catalog.nodes << std::move(node);
    m_catalog.nodes[parent].byName.insert(name, index);
    m_catalog.nodes[parent].children << index;
    return index;
}

// The folder at these names, made when missing (a file may come before the
// record of its folder); nullopt when a file stands in the way.
std::optional<int> CatalogBuilder::folder(const QStringList& names) {
    int at = 0;
    for (const QString& name : names) {
        const auto it = m_catalog.nodes[at].byName.constFind(name);
        if (it != m_catalog.nodes[at].byName.cend()) {
            at = *it;
            if (!m_catalog.nodes[at].isDir)
                return std::nullopt;
            continue;
        }
        IsoNode dir;
        dir.isDir = true;
        at = *addChild(at, name, std::move(dir));
    }
    return at;
}

void CatalogBuilder::verifyOffset(archive* a, qint64 offset) {
    // libarchive stands at the start of the file's bytes once it has read the
    // header; check it once per image against the bytes it hands out.
    m_verified = true;
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t at = 0;
    if (archive_read_data_block(a, &block, &size, &at) != ARCHIVE_OK || at != 0 || size == 0) {
        m_offsetsTrusted = startsCompressed(m_fd, offset);
        return;
    }
    QByteArray raw(qsizetype(size), Qt::Uninitialized);
    const bool same = readAt(m_fd, offset, raw.data(), raw.size()) &&
                      std::memcmp(raw.constData(), block, size) == 0;
    m_offsetsTrusted = same || startsCompressed(m_fd, offset);
}

bool CatalogBuilder::addFile(archive* a, archive_entry* e, IsoNode& node) {
    node.size = archive_entry_size_is_set(e) ? qint64(archive_entry_size(e)) : 0;
    if (node.size < 0)
        return false;
    if (node.size == 0)
        return true;
    const qint64 offset = archive_filter_bytes(a, 0);
    if (offset < 0 || offset >= m_imageSize)
        return false;
    // A file that runs past the end of the image: the image was cut short,
    // unless the disc keeps the file compressed.
    const bool whole = offset + node.size <= m_imageSize;
    if (!whole && !startsCompressed(m_fd, offset))
        return false;
    // Bytes that overlap the previous file's are left to libarchive to judge.
    if (whole && node.size < SingleExtentLimit && offset >= m_dataEnd) {
        node.dataOffset = offset;
        m_dataEnd = offset + node.size;
    }
    if (!m_verified && node.dataOffset >= 0)
        verifyOffset(a, offset);
    return true;
}

bool CatalogBuilder::add(archive* a, archive_entry* e, int ordinal) {
    const char* path = archive_entry_pathname_utf8(e);
    if (!path)
        return true;
    const auto names = namesOf(path);
    if (!names)
        return true;
    if (names->isEmpty()) {
        m_catalog.nodes[0].modified = modifiedOf(e);
        return true;
    }
    const auto parent = folder(names->mid(0, names->size() - 1));
    if (!parent)
        return true;
    const QString name = names->last();
    const mode_t type = archive_entry_filetype(e);

    if (type == AE_IFDIR) {
        // Made already for a file that came first, or a file of that name.
        const auto existing = m_catalog.nodes[*parent].byName.value(name, -1);
        if (existing >= 0) {
            if (m_catalog.nodes[existing].isDir)
                m_catalog.nodes[existing].modified = modifiedOf(e);
            return true;
        }
        IsoNode dir;
        dir.isDir = true;
        dir.modified = modifiedOf(e);
        addChild(*parent, name, std::move(dir));
        return true;
    }

    IsoNode node;
    node.modified = modifiedOf(e);
    if (const char* target = archive_entry_hardlink_utf8(e)) {
        // The same bytes as an earlier entry, which alone carries them.
        const int t = m_byArchivePath.value(QByteArray(target), -1);
        if (t < 0)
            return true;
        const IsoNode& original = m_catalog.nodes[t];
        node.size = original.size;
        node.dataOffset = original.dataOffset;
        node.ordinal = original.ordinal;
        node.archivePath = original.archivePath;
    } else if (type == AE_IFREG) {
        node.ordinal = ordinal;
        node.archivePath = QByteArray(path);
        if (!addFile(a, e, node))
            return false;
    } else {
        return true; // links and devices are no files of the medium
    }
    if (const auto index = addChild(*parent, name, std::move(node)))
        m_byArchivePath.insert(QByteArray(path), *index);
    return true;
}

void CatalogBuilder::finish() {
    for (IsoNode& n : m_catalog.nodes) {
        if (!m_offsetsTrusted)
            n.dataOffset = -1;
        if (!n.isDir)
            continue;
        std::sort(n.children.begin(), n.children.end(), [this](int l, int r) {
            return m_catalog.nodes[l].name < m_catalog.nodes[r].name;
        });
        n.entries.reserve(n.children.size());
        for (int c : std::as_const(n.children)) {
            const IsoNode& child = m_catalog.nodes[c];
            VolumeEntry entry;
            entry.name = child.name;
            entry.isDir = child.isDir;
            entry.size = child.size;
            entry.modified = child.modified;
            n.entries << entry;
        }
    }
}

} // namespace

std::optional<int> IsoCatalog::child(int folder, const QString& name) const {
    const IsoNode& dir = nodes[folder];
    if (const auto it = dir.byName.constFind(name); it != dir.byName.cend())
        return *it;
    for (int c : dir.children)
        if (nodes[c].name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

std::optional<int> IsoCatalog::find(const QStringList& path) const {
    int at = 0;
    for (const QString& name : path) {
        if (!nodes[at].isDir)
            return std::nullopt;
        const auto it = nodes[at].byName.constFind(name);
        if (it == nodes[at].byName.cend())
            return std::nullopt;
        at = *it;
    }
    return at;
}

std::optional<IsoCatalog> readIsoCatalog(const QString& path) {
    IsoImageSource source;
    source.fd = openImage(path);
    if (source.fd < 0)
        return std::nullopt;
    const auto stamp = ImageStamp::ofHandle(source.fd);
    if (!stamp)
        return std::nullopt;
    source.size = stamp->size;

    const Utf8Names utf8;
    ArchivePtr a(openArchive(source));
    if (!a)
        return std::nullopt;
    IsoCatalog catalog;
    catalog.stamp = *stamp;
    CatalogBuilder builder(catalog, source.fd, source.size);
    for (int ordinal = 0;; ++ordinal) {
        archive_entry* e = nullptr;
        const int r = archive_read_next_header(a.get(), &e);
        if (r == ARCHIVE_EOF)
            break;
        // A warning is about one entry, which may then come without a name;
        // anything worse is a damaged image.
        if ((r != ARCHIVE_OK && r != ARCHIVE_WARN) || ordinal >= MaxIsoEntries)
            return std::nullopt;
        if (!builder.add(a.get(), e, ordinal))
            return std::nullopt;
    }
    builder.finish();
    return catalog;
}

bool looksLikeIsoImage(const QString& path) {
    IsoImageSource source;
    source.fd = openImage(path);
    if (source.fd < 0)
        return false;
    const auto stamp = ImageStamp::ofHandle(source.fd);
    if (!stamp)
        return false;
    source.size = stamp->size;
    ArchivePtr a(openArchive(source));
    return a != nullptr;
}

IsoEntryReader::IsoEntryReader() = default;

IsoEntryReader::~IsoEntryReader() {
    close();
}

void IsoEntryReader::close() {
    if (m_archive)
        archive_read_free(m_archive);
    m_archive = nullptr;
    m_source.reset();
}

bool IsoEntryReader::open(const QString& imagePath, const ImageStamp& stamp, int ordinal,
                          const QByteArray& archivePath) {
    close();
    if (ordinal < 0 || ordinal >= MaxIsoEntries)
        return false;
    m_source = std::make_unique<IsoImageSource>();
    m_source->fd = openImage(imagePath);
    if (m_source->fd < 0 || ImageStamp::ofHandle(m_source->fd) != stamp) {
        close();
        return false;
    }
    m_source->size = stamp.size;
    const Utf8Names utf8;
    m_archive = openArchive(*m_source);
    if (!m_archive) {
        close();
        return false;
    }
    for (int i = 0; i <= ordinal; ++i) {
        archive_entry* e = nullptr;
        const int r = archive_read_next_header(m_archive, &e);
        if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
            close();
            return false;
        }
        if (i == ordinal) {
            const char* path = archive_entry_pathname_utf8(e);
            if (!path || archivePath != path) {
                close();
                return false;
            }
        }
    }
    return true;
}

qint64 IsoEntryReader::read(char* data, qint64 max) {
    if (!m_archive)
        return -1;
    const la_ssize_t n = archive_read_data(m_archive, data, size_t(max));
    return n < 0 ? -1 : qint64(n);
}

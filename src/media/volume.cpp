#include "volume.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

std::optional<QStringList> Volume::resolve(const QStringList& path) const {
    QStringList real;
    for (const QString& want : path) {
        const auto entries = list(real);
        if (!entries)
            return std::nullopt;
        const VolumeEntry* match = nullptr;
        for (const VolumeEntry& e : *entries) {
            if (e.name == want) {
                match = &e;
                break;
            }
            if (!match && e.name.compare(want, Qt::CaseInsensitive) == 0)
                match = &e;
        }
        if (!match)
            return std::nullopt;
        real << match->name;
    }
    return real;
}

FolderVolume::FolderVolume(QString root) : m_root(std::move(root)) {}

QString FolderVolume::hostPath(const QStringList& path) const {
    QString p = m_root;
    for (const QString& c : path) {
        if (!p.endsWith(QLatin1Char('/')))
            p += QLatin1Char('/');
        p += c;
    }
    return p;
}

// One look at the file (through a link, as a reader sees it). The time is
// kept in UTC: it is only compared, and turning it into local time would
// look up the time zone again for every file of a listing.
static VolumeEntry entryOf(const QString& name, const QString& hostPath, bool* there = nullptr) {
    VolumeEntry e;
    e.name = name;
    e.hidden = name.startsWith(QLatin1Char('.'));
    struct stat st;
    const bool ok = ::stat(QFile::encodeName(hostPath).constData(), &st) == 0;
    if (ok) {
        e.isDir = S_ISDIR(st.st_mode);
        e.size = e.isDir ? 0 : qint64(st.st_size);
        e.modified = QDateTime::fromMSecsSinceEpoch(
            qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000, Qt::UTC);
    }
    if (there)
        *there = ok;
    return e;
}

std::optional<QList<VolumeEntry>> FolderVolume::list(const QStringList& folder) const {
    const QString path = hostPath(folder);
    const QByteArray host = QFile::encodeName(path);
    DIR* dir = ::opendir(host.constData());
    if (!dir)
        return std::nullopt;
    QList<VolumeEntry> out;
    const QString prefix = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    // The folder says what most entries are; only links and file systems
    // that do not say are looked at one by one.
    while (const dirent* d = ::readdir(dir)) {
        if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0)
            continue;
        const QString name = QFile::decodeName(d->d_name);
        if (d->d_type == DT_UNKNOWN || d->d_type == DT_LNK) {
            out << entryOf(name, prefix + name);
            continue;
        }
        VolumeEntry e;
        e.name = name;
        e.hidden = name.startsWith(QLatin1Char('.'));
        e.isDir = d->d_type == DT_DIR;
        out << e;
    }
    ::closedir(dir);
    // In a steady order, so that a name matched in any letter case always
    // finds the same entry.
    std::sort(out.begin(), out.end(), [](const VolumeEntry& a, const VolumeEntry& b) {
        const int c = a.name.compare(b.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return out;
}

std::optional<VolumeEntry> FolderVolume::stat(const QStringList& path) const {
    const QString host = hostPath(path);
    bool there = false;
    VolumeEntry e = entryOf(QFileInfo(host).fileName(), host, &there);
    if (!there)
        return std::nullopt;
    return e;
}

std::unique_ptr<QIODevice> FolderVolume::openRead(const QStringList& path) const {
    // Opening refuses a folder itself (it looks at what it opened).
    auto f = std::make_unique<QFile>(hostPath(path));
    if (!f->open(QIODevice::ReadOnly))
        return nullptr;
    return f;
}

std::optional<QStringList> FolderVolume::resolve(const QStringList& path) const {
    // The exact spelling is by far the common case; only scan folders when it misses.
    if (QFileInfo::exists(hostPath(path)))
        return path;
    QStringList real;
    for (int i = 0; i < path.size(); ++i) {
        QStringList next = real;
        next << path[i];
        if (QFileInfo::exists(hostPath(next))) {
            real = next;
            continue;
        }
        const auto entries = list(real);
        if (!entries)
            return std::nullopt;
        bool found = false;
        for (const VolumeEntry& e : *entries) {
            if (e.name.compare(path[i], Qt::CaseInsensitive) == 0) {
                real << e.name;
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return real;
}

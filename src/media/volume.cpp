#include "volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

static VolumeEntry entryOf(const QFileInfo& fi) {
    VolumeEntry e;
    e.name = fi.fileName();
    e.isDir = fi.isDir();
    e.hidden = fi.isHidden();
    e.size = fi.isDir() ? 0 : fi.size();
    e.modified = fi.lastModified();
    return e;
}

std::optional<QList<VolumeEntry>> FolderVolume::list(const QStringList& folder) const {
    const QDir dir(hostPath(folder));
    if (!dir.exists() || !dir.isReadable())
        return std::nullopt;
    QList<VolumeEntry> out;
    const auto infos =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    out.reserve(infos.size());
    for (const QFileInfo& fi : infos)
        out << entryOf(fi);
    return out;
}

std::optional<VolumeEntry> FolderVolume::stat(const QStringList& path) const {
    // Asking for the kind first looks at the file once; whether it is there
    // comes with the answer.
    const QFileInfo fi(hostPath(path));
    if (!fi.isDir() && !fi.exists())
        return std::nullopt;
    return entryOf(fi);
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

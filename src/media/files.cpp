#include "files.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

Files::Files(std::shared_ptr<const DriveMap> drives)
    : m_drives(std::move(drives)), m_hostRoot(std::make_shared<FolderVolume>(QStringLiteral("/"))) {
}

static QStringList splitComponents(QStringView rest) {
    QStringList parts;
    QString cur;
    for (QChar c : rest) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('/')) {
            if (!cur.isEmpty() && cur != QLatin1String("."))
                parts << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.isEmpty() && cur != QLatin1String("."))
        parts << cur;
    return parts;
}

std::optional<LocatedPath> Files::locate(const QString& path) const {
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter()) {
        auto vol = m_drives->volume(path.at(0));
        if (!vol)
            return std::nullopt;
        return LocatedPath{vol, splitComponents(QStringView(path).mid(2))};
    }
    if (path.startsWith(QLatin1Char('/')))
        return LocatedPath{m_hostRoot, splitComponents(path)};
    return std::nullopt;
}

std::optional<LocatedPath> Files::resolve(const QString& path) const {
    auto loc = locate(path);
    if (!loc)
        return std::nullopt;
    // A ".." must not climb out of a volume's root.
    if (loc->components.contains(QLatin1String("..")))
        return std::nullopt;
    auto real = loc->volume->resolve(loc->components);
    if (!real)
        return std::nullopt;
    loc->components = *real;
    return loc;
}

bool Files::wildcardMatch(const QString& pattern, const QString& name) {
    // Iterative matcher with one backtrack point for the last "*".
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern.at(p) == QLatin1Char('?') ||
                    pattern.at(p).toCaseFolded() == name.at(n).toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

std::optional<QStringList> Files::listFiles(const QString& pattern) const {
    auto loc = locate(pattern);
    if (!loc || loc->components.isEmpty())
        return std::nullopt;
    const QString mask = loc->components.takeLast();
    if (loc->components.contains(QLatin1String("..")))
        return std::nullopt;
    const auto folder = loc->volume->resolve(loc->components);
    if (!folder)
        return std::nullopt;
    const auto entries = loc->volume->list(*folder);
    if (!entries)
        return std::nullopt;
    QStringList names;
    for (const VolumeEntry& e : *entries) {
        if (e.isDir || e.hidden || e.name.startsWith(QLatin1Char('.')))
            continue;
        if (wildcardMatch(mask, e.name))
            names << e.name;
    }
    // QString's operator< compares UTF-16 code units: binary order.
    std::sort(names.begin(), names.end());
    return names;
}

QStringList Files::DirAll(const QString& pattern) const {
    return listFiles(pattern).value_or(QStringList());
}

QString Files::Dir(const QString& pattern) const {
    const QStringList names = DirAll(pattern);
    return names.isEmpty() ? QString() : names.first();
}

bool Files::exists(const QString& path) const {
    return resolve(path).has_value();
}

std::optional<qint64> Files::FileLen(const QString& path) const {
    const auto loc = resolve(path);
    if (!loc)
        return std::nullopt;
    const auto st = loc->volume->stat(loc->components);
    if (!st || st->isDir)
        return std::nullopt;
    return st->size;
}

std::unique_ptr<QIODevice> Files::openRead(const QString& path) const {
    const auto loc = resolve(path);
    if (!loc)
        return nullptr;
    return loc->volume->openRead(loc->components);
}

QString Files::hostPathForWrite(const QString& path) const {
    auto loc = locate(path);
    if (!loc || loc->components.contains(QLatin1String("..")))
        return {};
    QStringList real;
    qsizetype i = 0;
    for (; i < loc->components.size(); ++i) {
        QStringList next = real;
        next << loc->components[i];
        const auto r = loc->volume->resolve(next);
        if (!r)
            break;
        real = *r;
    }
    for (; i < loc->components.size(); ++i)
        real << loc->components[i];
    return loc->volume->hostPath(real);
}

QString Files::hostPathOf(const QString& path) const {
    const auto loc = resolve(path);
    if (!loc)
        return {};
    return loc->volume->hostPath(loc->components);
}

QString Files::hostPathInFolder(const QString& folder, const QString& name) const {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    const QString dir = hostPathForWrite(folder);
    if (dir.isEmpty())
        return {};
    return dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
}

bool Files::MkDir(const QString& path) const {
    const QString host = hostPathForWrite(path);
    return !host.isEmpty() && QDir().mkdir(host);
}

bool Files::RmDir(const QString& path) const {
    const QString host = hostPathOf(path);
    return !host.isEmpty() && QDir().rmdir(host);
}

// The folder part of a pattern: everything before its last separator ("X:"
// alone for "X:name").
static QString folderOfPattern(const QString& pattern) {
    const qsizetype cut =
        std::max(pattern.lastIndexOf(QLatin1Char('\\')), pattern.lastIndexOf(QLatin1Char('/')));
    if (cut >= 0)
        return pattern.left(cut);
    if (pattern.size() >= 2 && pattern.at(1) == QLatin1Char(':'))
        return pattern.left(2);
    return {};
}

KillResult Files::Kill(const QString& pattern) const {
    KillResult result;
    const QString folder = hostPathOf(folderOfPattern(pattern));
    if (folder.isEmpty())
        return result;
    for (const QString& name : DirAll(pattern)) {
        if (QFile::remove(QDir(folder).filePath(name)))
            result.deleted << name;
        else
            result.failed << name;
    }
    return result;
}

std::unique_ptr<ReplacingFile> Files::openWrite(const QString& hostPath) const {
    auto file = std::make_unique<ReplacingFile>(hostPath);
    file->open();
    return file;
}

bool Files::sameHostFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

ReplacingFile::ReplacingFile(QString targetHostPath) : m_target(std::move(targetHostPath)) {}

ReplacingFile::~ReplacingFile() {
    discard();
}

bool ReplacingFile::open() {
    const QFileInfo target(m_target);
    if (m_target.isEmpty() || target.fileName().isEmpty()) {
        m_error = QStringLiteral("Path not found");
        return false;
    }
    // Hidden, so that no listing of ads ever takes an unfinished file for one.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString temp =
            target.path() + QStringLiteral("/.") + target.fileName() + QLatin1Char('.') +
            QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".part");
        m_file.setFileName(temp);
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!QFileInfo::exists(temp))
            break;
    }
    m_error = m_file.errorString();
    m_file.setFileName(QString());
    return false;
}

bool ReplacingFile::reserve(qint64 size) {
    if (!m_file.isOpen() || size <= 0)
        return m_file.isOpen();
    // A file system in memory has no layout to keep, and setting pages
    // aside there costs as much as the copy itself; a full one still says
    // so at the first block written.
    struct statfs fs;
    if (::fstatfs(m_file.handle(), &fs) == 0 &&
        (fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC))
        return true;
    int rc;
    do
        rc = ::fallocate(m_file.handle(), 0, 0, off_t(size));
    while (rc != 0 && errno == EINTR);
    if (rc == 0 || errno == EOPNOTSUPP || errno == ENOSYS)
        return true;
    m_error = qt_error_string(errno);
    return false;
}

bool ReplacingFile::write(const char* data, qint64 size) {
    if (!m_file.isOpen())
        return false;
    // Blocks the kernel appended moved the end but not the file's position.
    if (m_file.pos() != m_size && !m_file.seek(m_size)) {
        m_error = m_file.errorString();
        return false;
    }
    // A short write (the disk filled up half way) is followed by one that
    // fails and says why.
    while (size > 0) {
        const qint64 n = m_file.write(data, size);
        if (n <= 0) {
            m_error = m_file.errorString();
            return false;
        }
        data += n;
        size -= n;
        m_size += n;
    }
    return true;
}

bool ReplacingFile::copyFrom(int fd, qint64 offset, qint64 size) {
    if (!m_file.isOpen() || fd < 0)
        return false;
    loff_t from = offset;
    loff_t to = m_size;
    while (size > 0) {
        const ssize_t n = ::copy_file_range(fd, &from, m_file.handle(), &to, size_t(size), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        size -= n;
        m_size += n;
    }
    return true;
}

bool ReplacingFile::syncData() {
    int rc;
    do
        rc = ::fsync(m_file.handle());
    while (rc != 0 && errno == EINTR);
    if (rc == 0)
        return true;
    m_error = qt_error_string(errno);
    return false;
}

bool ReplacingFile::commit() {
    if (!m_file.isOpen())
        return false;
    const QByteArray temp = QFile::encodeName(m_file.fileName());
    const QByteArray target = QFile::encodeName(m_target);
    // A new file needs no flush: until its data reaches the disk nothing is
    // lost but the copy itself. Taking the name only while it is free tells
    // a new file from a replaced one in the same step.
    if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        if (closeFile())
            return m_committed = true;
        // Nothing was there before: the unfinished file goes again.
        ::unlink(target.constData());
        discard();
        return false;
    }
    if (errno != EEXIST && errno != EINVAL && errno != ENOSYS) {
        m_error = qt_error_string(errno);
        discard();
        return false;
    }
    if (!syncData() || !closeFile()) {
        discard();
        return false;
    }
    if (std::rename(temp.constData(), target.constData()) != 0) {
        m_error = qt_error_string(errno);
        discard();
        return false;
    }
    return m_committed = true;
}

bool ReplacingFile::closeFile() {
    m_file.unsetError();
    m_file.close();
    if (m_file.error() == QFileDevice::NoError)
        return true;
    m_error = m_file.errorString();
    return false;
}

void ReplacingFile::discard() {
    if (m_committed || m_file.fileName().isEmpty())
        return;
    if (m_file.isOpen())
        m_file.close();
    QFile::remove(m_file.fileName());
    m_file.setFileName(QString());
}

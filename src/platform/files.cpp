#include "files.h"

#include <algorithm>

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

QStringList Files::DirAll(const QString& pattern) const {
    auto loc = locate(pattern);
    if (!loc || loc->components.isEmpty())
        return {};
    const QString mask = loc->components.takeLast();
    if (loc->components.contains(QLatin1String("..")))
        return {};
    const auto folder = loc->volume->resolve(loc->components);
    if (!folder)
        return {};
    const auto entries = loc->volume->list(*folder);
    if (!entries)
        return {};
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

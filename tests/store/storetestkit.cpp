#include "storetestkit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <unistd.h>

namespace {

// Refuses every write that would take the file past the limit, as a full disk does.
class FillingFile : public ReplacingFile {
public:
    FillingFile(const QString& target, qint64 limit) : ReplacingFile(target), m_limit(limit) {}
    bool write(const char* data, qint64 size) override {
        if (m_written + size > m_limit) {
            setErrorString(QStringLiteral("No space left on device"));
            return false;
        }
        m_written += size;
        return ReplacingFile::write(data, size);
    }
    // Every byte goes through write(), where the disk fills up.
    bool copyFrom(int, qint64, qint64) override { return false; }

private:
    qint64 m_limit;
    qint64 m_written = 0;
};

class FlushWatchFile : public ReplacingFile {
public:
    FlushWatchFile(const QString& target, std::shared_ptr<QList<FlushRecord>> log, bool fail)
        : ReplacingFile(target), m_log(std::move(log)), m_fail(fail) {}

protected:
    bool syncData() override {
        *m_log << FlushRecord{target(), readFile(tempPath()), readFile(target())};
        if (m_fail) {
            setErrorString(QStringLiteral("Input/output error"));
            return false;
        }
        return ReplacingFile::syncData();
    }

private:
    std::shared_ptr<QList<FlushRecord>> m_log;
    bool m_fail;
};

bool run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

std::unique_ptr<ReplacingFile> FullDiskFiles::openWrite(const QString& hostPath) const {
    if (!m_names.contains(QFileInfo(hostPath).fileName()))
        return Files::openWrite(hostPath);
    auto file = std::make_unique<FillingFile>(hostPath, m_limit);
    file->open();
    return file;
}

std::unique_ptr<ReplacingFile> FlushWatchFiles::openWrite(const QString& hostPath) const {
    auto file = std::make_unique<FlushWatchFile>(
        hostPath, m_flushes, m_failing.contains(QFileInfo(hostPath).fileName()));
    file->open();
    return file;
}

QByteArray patternBytes(qint64 size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2463534242u + quint32(seed) * 7919u;
    for (qint64 i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = char(x);
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

QStringList entriesOf(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

Unchangeable::Unchangeable(QString path) : m_path(std::move(path)) {
    const QFileInfo info(m_path);
    if (::geteuid() != 0) {
        // Without root the folder's permissions decide what may change in it.
        const QString folder = info.isDir() ? m_path : info.path();
        m_ok = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        return;
    }
    m_flag = run(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path});
    m_ok = m_flag;
}

Unchangeable::~Unchangeable() {
    if (m_flag) {
        run(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
    } else if (m_ok) {
        const QFileInfo info(m_path);
        QFile::setPermissions(info.isDir() ? m_path : info.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

SmallDisk::SmallDisk(QString folder, int kilobytes) : m_folder(std::move(folder)) {
    if (::geteuid() != 0)
        return;
    m_ok = run(QStringLiteral("mount"),
               {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), m_folder});
}

SmallDisk::~SmallDisk() {
    if (m_ok)
        run(QStringLiteral("umount"), {m_folder});
}

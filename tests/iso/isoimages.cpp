#include "isoimages.h"

#include "demo_medium.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

QString namingName(Naming naming) {
    switch (naming) {
    case Naming::Plain:
        return QStringLiteral("plain ISO 9660 level 1");
    case Naming::Joliet:
        return QStringLiteral("Joliet");
    case Naming::RockRidge:
        return QStringLiteral("Rock Ridge");
    }
    return {};
}

void writeDocuments(const QString& folder) {
    QDir().mkpath(folder + QStringLiteral("/RichText"));
    writeBytes(folder + QStringLiteral("/RichText/KestrunAdsList.rtf"), demo::adsListRtf());
    writeBytes(folder + QStringLiteral("/RichText/notice.rtf"), demo::noticeRtf());
    writeBytes(folder + QStringLiteral("/RichText/Register.rtf"), demo::registerRtf());
}

namespace {

bool runXorriso(const QString& image, const QStringList& args) {
    const QString xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    if (xorriso.isEmpty()) {
        qWarning("xorriso is not installed");
        return false;
    }
    QFile::remove(image);
    QProcess p;
    p.start(xorriso, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("xorriso failed: %s", p.readAllStandardError().constData());
        return false;
    }
    return QFile::exists(image);
}

} // namespace

bool makeImage(const QString& folder, const QString& image, Naming naming) {
    QStringList args{QStringLiteral("-as"), QStringLiteral("mkisofs"), QStringLiteral("-quiet")};
    switch (naming) {
    case Naming::Plain:
        args << QStringLiteral("--norock") << QStringLiteral("-iso-level") << QStringLiteral("1");
        break;
    case Naming::Joliet:
        args << QStringLiteral("--norock") << QStringLiteral("-J");
        break;
    case Naming::RockRidge:
        args << QStringLiteral("-R");
        break;
    }
    args << QStringLiteral("-o") << image << folder;
    return runXorriso(image, args);
}

bool makeImageWith(const QString& image, const QStringList& commands) {
    return runXorriso(image, QStringList{QStringLiteral("-outdev"), image} + commands +
                                 QStringList{QStringLiteral("-commit")});
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool truncateImage(const QString& image, qint64 bytes) {
    return QFile::resize(image, bytes);
}

namespace {

// The directory record that carries this name: the name stands 33 bytes in,
// after its length byte.
qsizetype recordOf(const QByteArray& disc, const QByteArray& name) {
    qsizetype at = 0;
    while ((at = disc.indexOf(name, at)) >= 0) {
        const qsizetype start = at - 33;
        if (start >= 0 && uchar(disc[start + 32]) == name.size())
            return start;
        ++at;
    }
    return -1;
}

// Both-endian 32-bit fields: little-endian first, then big-endian.
void putBoth(QByteArray& disc, qsizetype at, quint32 value) {
    qToLittleEndian(value, disc.data() + at);
    qToBigEndian(value, disc.data() + at + 4);
}

bool patch(const QString& image, const QByteArray& name, qsizetype field, quint32 value) {
    QByteArray disc = fileBytes(image);
    const qsizetype record = recordOf(disc, name);
    if (record < 0)
        return false;
    putBoth(disc, record + field, value);
    return writeBytes(image, disc);
}

} // namespace

bool pointRecordAt(const QString& image, const QByteArray& name, quint32 block) {
    return patch(image, name, 2, block);
}

bool setRecordLength(const QString& image, const QByteArray& name, quint32 length) {
    return patch(image, name, 10, length);
}

quint32 rootBlock(const QString& image) {
    // The root's record lies in the primary volume descriptor (block 16).
    const QByteArray disc = fileBytes(image);
    return disc.size() < 0x8000 + 200 ? 0
                                      : qFromLittleEndian<quint32>(disc.constData() + 0x8000 + 158);
}

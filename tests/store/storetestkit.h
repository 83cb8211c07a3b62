#pragma once

#include "media/files.h"
#include "platform/diskspace.h"
#include "skiporfail.h"
#include "store/copyads.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// A disk that reports the free space a test chose (nullopt: it cannot be
// measured) and records which folders it was asked about.
class FixedDiskSpace : public DiskSpace {
public:
    explicit FixedDiskSpace(std::optional<qint64> free) : free(free) {}
    std::optional<qint64> freeBytes(const QString& hostFolder) const override {
        asked << hostFolder;
        return free;
    }
    std::optional<qint64> free;
    mutable QStringList asked;
};

// Records everything a copy run shows.
class RecordingCopyView : public CopyView {
public:
    void setPanelVisible(bool visible) override { panelVisible = visible; }
    void setButtonsEnabled(bool enabled) override { buttonsEnabled = enabled; }
    void setBusy(bool b) override {
        busy = b;
        busyChanges << b;
    }
    void showSource(const QString& path) override { sources << path; }
    void setFileGauge(int percent) override { fileGauge << percent; }
    void setRunGauge(int percent) override { runGauge << percent; }
    void doEvents() override {
        ++events;
        if (onDoEvents)
            onDoEvents();
    }
    // Every value is recorded as it comes.
    void showProgress() override {}

    bool panelVisible = false;
    bool buttonsEnabled = true;
    bool busy = false;
    QList<bool> busyChanges;
    QStringList sources;
    QList<int> fileGauge;
    QList<int> runGauge;
    int events = 0;
    std::function<void()> onDoEvents;
};

// Files on a disk that fills up: a file whose name is listed fails to write
// once it has received `limit` bytes.
class FullDiskFiles : public Files {
public:
    FullDiskFiles(std::shared_ptr<const DriveMap> drives, QStringList names, qint64 limit)
        : Files(std::move(drives)), m_names(std::move(names)), m_limit(limit) {}
    std::unique_ptr<ReplacingFile> openWrite(const QString& hostPath) const override;

private:
    QStringList m_names;
    qint64 m_limit;
};

// What a file being written held, and what its target held, when its data
// was flushed to the disk.
struct FlushRecord {
    QString target;
    QByteArray written;
    QByteArray targetBefore;
};

// Files whose flushes are recorded; the flush of a file named in `failing`
// fails, as after a write-back error.
class FlushWatchFiles : public Files {
public:
    FlushWatchFiles(std::shared_ptr<const DriveMap> drives, QStringList failing)
        : Files(std::move(drives)), m_failing(std::move(failing)) {}
    std::unique_ptr<ReplacingFile> openWrite(const QString& hostPath) const override;
    QList<FlushRecord> flushes() const { return *m_flushes; }

private:
    QStringList m_failing;
    std::shared_ptr<QList<FlushRecord>> m_flushes = std::make_shared<QList<FlushRecord>>();
};

// Bytes that differ from file to file (seed) and from block to block.
QByteArray patternBytes(qint64 size, int seed);
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// Every entry of a folder, hidden ones included, sorted.
QStringList entriesOf(const QString& folder);

// A file or folder that cannot be changed, even by root (permissions when
// not root, the immutable flag when root); put back on destruction.
class Unchangeable {
public:
    explicit Unchangeable(QString path);
    ~Unchangeable();
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
    bool m_flag = false;
};

// A small filesystem of its own mounted on a folder, for a disk that really
// fills up. Needs the right to mount; ok() tells.
class SmallDisk {
public:
    SmallDisk(QString folder, int kilobytes);
    ~SmallDisk();
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    bool m_ok = false;
};

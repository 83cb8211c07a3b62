#pragma once

#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// One entry of a folder listing on a volume. A listing is sure of the name
// and the kind; the size and time are sure only from `stat`.
struct VolumeEntry {
    QString name;
    bool isDir = false;
    bool hidden = false;
    qint64 size = 0;
    QDateTime modified;
};

// Everything the program reads from a medium goes through a Volume: a folder
// on disk today, a disc image read directly later. Paths are lists of the
// real (already resolved) names below the volume's root.
class Volume {
public:
    virtual ~Volume() = default;
    // What the volume stands for, for messages and logs.
    virtual QString description() const = 0;
    // nullopt when the folder cannot be listed (no disc, no such folder).
    virtual std::optional<QList<VolumeEntry>> list(const QStringList& folder) const = 0;
    virtual std::optional<VolumeEntry> stat(const QStringList& path) const = 0;
    // An open device, or nullptr when the file cannot be read.
    virtual std::unique_ptr<QIODevice> openRead(const QStringList& path) const = 0;
    // The host path of an entry when the volume is a folder on disk, else empty.
    virtual QString hostPath(const QStringList& path) const = 0;
    // Turns names in any letter case into the names on the volume; nullopt when
    // some component does not exist.
    virtual std::optional<QStringList> resolve(const QStringList& path) const;
};

// A folder on disk acting as a volume (a mounted CD, a copy of it, the
// program folder, or the host's root for absolute paths).
class FolderVolume : public Volume {
public:
    explicit FolderVolume(QString root);
    QString description() const override { return m_root; }
    std::optional<QList<VolumeEntry>> list(const QStringList& folder) const override;
    std::optional<VolumeEntry> stat(const QStringList& path) const override;
    std::unique_ptr<QIODevice> openRead(const QStringList& path) const override;
    QString hostPath(const QStringList& path) const override;
    std::optional<QStringList> resolve(const QStringList& path) const override;

private:
    QString m_root;
};

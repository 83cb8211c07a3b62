#pragma once

#include "drivemap.h"

#include <QString>
#include <memory>
#include <optional>

// A path as the program composes it ("E:\ads\64tova00.jpg", or the program
// folder followed by "\ads\…"), split into its volume and its components.
struct LocatedPath {
    std::shared_ptr<Volume> volume;
    QStringList components;
};

// The program's file operations. Paths use "\" or "/" as separators, a
// leading "X:" names a drive, and names match without regard to letter case.
class Files {
public:
    explicit Files(std::shared_ptr<const DriveMap> drives);

    const DriveMap& drives() const { return *m_drives; }
    void setDrives(std::shared_ptr<const DriveMap> drives) { m_drives = std::move(drives); }

    // The volume and the components as written; nullopt for a drive with no disc.
    std::optional<LocatedPath> locate(const QString& path) const;
    // The same with the names found on the volume; nullopt when missing.
    std::optional<LocatedPath> resolve(const QString& path) const;

    // First normal file (no folder, not hidden) in the pattern's folder whose
    // name matches the pattern's last component ("*" and "?"), in binary order
    // of names; "" when none or on any error.
    QString Dir(const QString& pattern) const;
    // Every such name, in binary order.
    QStringList DirAll(const QString& pattern) const;

    bool exists(const QString& path) const;
    // Length in bytes, or nullopt when the file cannot be found.
    std::optional<qint64> FileLen(const QString& path) const;
    std::unique_ptr<QIODevice> openRead(const QString& path) const;
    // The host path for writing: existing components are matched without
    // regard to case, the rest are taken as written. Empty when the path does
    // not lie on a folder on disk.
    QString hostPathForWrite(const QString& path) const;

    static bool wildcardMatch(const QString& pattern, const QString& name);

private:
    std::shared_ptr<const DriveMap> m_drives;
    std::shared_ptr<Volume> m_hostRoot;
};

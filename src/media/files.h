#pragma once

#include "drivemap.h"

#include <QFile>
#include <QString>
#include <memory>
#include <optional>

// A path as the program composes it ("E:\ads\64tova00.jpg", or the program
// folder followed by "\ads\…"), split into its volume and its components.
struct LocatedPath {
    std::shared_ptr<Volume> volume;
    QStringList components;
};

// A file on disk being written under a hidden temporary name in its folder.
// commit() puts it in the place of its target at once (replacing an old file
// there); dropped without a commit it leaves nothing behind, so a failed
// write never costs the old file.
class ReplacingFile {
public:
    explicit ReplacingFile(QString targetHostPath);
    virtual ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file beside the target. False on failure.
    bool open();
    bool isOpen() const { return m_file.isOpen(); }
    // Sets aside room for `size` bytes at once: a full disk shows before any
    // block is written, and the file is laid out in one piece. False when
    // there is no room; volumes that cannot set room aside, and those in
    // memory, just go on.
    bool reserve(qint64 size);
    // Writes all of the bytes or fails.
    virtual bool write(const char* data, qint64 size);
    // Appends `size` bytes of the open file `fd`, from `offset` on, inside the
    // kernel: no trip through the program's memory. False when the kernel or
    // either file system cannot, or stops part way (written() tells how far
    // it got): the rest goes through write(), which meets and reports any
    // fault of the disk or the source itself.
    virtual bool copyFrom(int fd, qint64 offset, qint64 size);
    // Closes the temporary file and renames it over the target. An older
    // target is replaced only once the new bytes are on the disk, so that a
    // power cut at any moment leaves one of the two whole.
    bool commit();
    // Bytes written or appended so far.
    qint64 written() const { return m_size; }
    QString target() const { return m_target; }
    // The temporary file's host path while it is open.
    QString tempPath() const { return m_file.fileName(); }
    QString errorString() const { return m_error; }

protected:
    void setErrorString(const QString& text) { m_error = text; }
    // Flushes the temporary file's data to the disk. False on failure.
    virtual bool syncData();

private:
    // Closes the file; false, with the reason kept, when that fails.
    bool closeFile();
    void discard();

    QString m_target;
    QFile m_file;
    QString m_error;
    // Bytes in the temporary file so far.
    qint64 m_size = 0;
    bool m_committed = false;
};

// What a Kill left behind: the names it deleted and those it could not.
struct KillResult {
    QStringList deleted;
    QStringList failed;
};

// The program's file operations. Paths use "\" or "/" as separators, a
// leading "X:" names a drive, and names match without regard to letter case.
class Files {
public:
    explicit Files(std::shared_ptr<const DriveMap> drives);
    virtual ~Files() = default;

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

    // The same names, or nullopt when the folder cannot be listed (no disc,
    // no such folder), which an empty list would not tell apart.
    std::optional<QStringList> listFiles(const QString& pattern) const;
    // The host path of an existing entry on a folder on disk; empty otherwise.
    QString hostPathOf(const QString& path) const;
    // The host path of the file called exactly `name` in `folder`: the
    // folder is matched without regard to case, the name is not, because on
    // this disk "A.jpg" and "a.jpg" are two files. Empty when the folder does
    // not lie on disk or the name is not a plain file name.
    QString hostPathInFolder(const QString& folder, const QString& name) const;

    // Folders and files on disk (writes never go to a medium).
    // Creates one folder; false on failure, also when it exists already.
    bool MkDir(const QString& path) const;
    // Removes an empty folder; false on failure.
    bool RmDir(const QString& path) const;
    // Deletes every normal file that Dir would list for the pattern.
    KillResult Kill(const QString& pattern) const;
    // A file at a host path, opened for writing under a temporary name;
    // check isOpen() and errorString().
    virtual std::unique_ptr<ReplacingFile> openWrite(const QString& hostPath) const;
    // True when both host paths exist and are one file (also through links).
    static bool sameHostFile(const QString& a, const QString& b);

    static bool wildcardMatch(const QString& pattern, const QString& name);

private:
    std::shared_ptr<const DriveMap> m_drives;
    std::shared_ptr<Volume> m_hostRoot;
};

#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <memory>

class Files;

// The pictures of the ads the user is likely to ask for next, read, decoded
// and scaled on a worker thread, so that a slow drive never holds up the
// window. A prepared picture is used only while its file still has the size
// and time it had when it was asked for, so a changed or vanished medium is
// read (and fails) as if nothing had been prepared.
class AdLookAhead : public QObject {
    Q_OBJECT
public:
    explicit AdLookAhead(QObject* parent = nullptr);
    ~AdLookAhead() override;

    struct Picture {
        QImage image;     // the picture as loaded
        QImage stretched; // the same scaled to the size asked for, when it could be made
    };

    // Waits until the worker has nothing left to do.
    void waitForDone() { m_pool.waitForDone(); }
    // True while some picture asked for is still being read or decoded.
    bool busy() const;

    // Starts preparing these files on the worker (read, decoded, and scaled
    // smoothly to `stretchTo`); here only their size and time are looked up.
    // Everything else prepared before is dropped, a read under way for it
    // given up.
    void prepare(const Files& files, const QStringList& paths, QSize stretchTo);
    // The prepared picture of a file; a null image when the file was not
    // prepared, has changed, or is no longer there. The user has moved on, so
    // the other pictures still under way are given up. One the worker has
    // begun is waited for: what it has left is less than reading the file
    // afresh from the same drive. One it has not begun would come only after
    // the picture before it, so it is withdrawn and read afresh instead.
    Picture take(const Files& files, const QString& path);

    // One picture asked for (defined with the worker's code).
    struct Job;

private:
    std::shared_ptr<Job> newJob(const Files& files, const QString& path) const;
    QHash<QString, std::shared_ptr<Job>> m_jobs;
    // One worker, so that the window's own work keeps a core to itself.
    QThreadPool m_pool;
};

#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <memory>

class Files;

// The pictures of the ads the user is likely to ask for next, decoded in the
// background. A prepared picture is used only while its file still has the
// size and time it had when it was read, so a changed or vanished medium is
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

    // Waits until every picture under way is ready.
    void waitForDone() { m_pool.waitForDone(); }

    // Starts preparing these files (their bytes are read now, decoded on a
    // worker thread, and also scaled smoothly to `stretchTo`); everything else
    // prepared before is dropped.
    void prepare(const Files& files, const QStringList& paths, QSize stretchTo);
    // The prepared picture of a file, waiting for its decoding if it is still
    // under way; a null image when the file was not prepared or has changed.
    Picture take(const Files& files, const QString& path);

private:
    struct Job;
    QHash<QString, std::shared_ptr<Job>> m_jobs;
    // One worker, so that the window's own work keeps a core to itself.
    QThreadPool m_pool;
};

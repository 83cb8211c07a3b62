#include "lookahead.h"

#include "media/files.h"
#include "media/pictureloader.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

// The worker reads this much at a time, so that it gives up a read that is
// no longer wanted soon, and a step's own read waits little for the drive.
constexpr qint64 ReadChunkBytes = 64 * 1024;
// A file far larger than any picture is left to the step's own load.
constexpr qint64 LargestPreparedFile = 64LL * 1024 * 1024;

enum class Stage { Waiting, Working, Done };

} // namespace

struct AdLookAhead::Job {
    // Set on the window's thread before the worker sees the job.
    std::shared_ptr<Volume> volume;
    QStringList components;
    qint64 size = -1;
    QDateTime modified;
    QSize stretchTo;

    std::atomic<bool> cancelled = false;
    std::mutex mutex;
    std::condition_variable ready;
    Stage stage = Stage::Waiting;
    Picture picture;

    bool isDone() {
        const std::lock_guard lock(mutex);
        return stage == Stage::Done;
    }
    void finish(Picture result) {
        const std::lock_guard lock(mutex);
        picture = std::move(result);
        stage = Stage::Done;
        ready.notify_all();
    }
};

namespace {

// The whole file, or nothing when it cannot be read, ends early or the job
// is given up.
QByteArray readAllOf(AdLookAhead::Job& job) {
    const auto device = job.volume->openRead(job.components);
    if (!device)
        return {};
    QByteArray data(job.size, Qt::Uninitialized);
    for (qint64 got = 0; got < job.size;) {
        if (job.cancelled)
            return {};
        const qint64 n = device->read(data.data() + got, qMin(ReadChunkBytes, job.size - got));
        if (n <= 0)
            return {};
        got += n;
    }
    return data;
}

void work(AdLookAhead::Job& job) {
    {
        const std::lock_guard lock(job.mutex);
        if (job.cancelled) {
            job.stage = Stage::Done;
            job.ready.notify_all();
            return;
        }
        job.stage = Stage::Working;
    }
    AdLookAhead::Picture picture;
    const QByteArray data = readAllOf(job);
    if (!data.isEmpty() && !job.cancelled)
        picture.image = DecodePicture(data);
    if (!picture.image.isNull() && !job.stretchTo.isEmpty() && !job.cancelled)
        picture.stretched =
            picture.image.scaled(job.stretchTo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    job.finish(std::move(picture));
}

// True while the file still has the size and time it had when it was asked for.
bool unchanged(const Files& files, const QString& path, const AdLookAhead::Job& job) {
    const auto loc = files.resolve(path);
    const auto st = loc ? loc->volume->stat(loc->components) : std::nullopt;
    return st && !st->isDir && st->size == job.size && st->modified == job.modified;
}

} // namespace

AdLookAhead::AdLookAhead(QObject* parent) : QObject(parent) {
    m_pool.setMaxThreadCount(1);
}

AdLookAhead::~AdLookAhead() {
    for (const auto& job : std::as_const(m_jobs))
        job->cancelled = true;
    m_pool.waitForDone();
}

bool AdLookAhead::busy() const {
    for (const auto& job : m_jobs)
        if (!job->isDone())
            return true;
    return false;
}

std::shared_ptr<AdLookAhead::Job> AdLookAhead::newJob(const Files& files,
                                                      const QString& path) const {
    auto loc = files.resolve(path);
    const auto st = loc ? loc->volume->stat(loc->components) : std::nullopt;
    if (!st || st->isDir || st->size <= 0 || st->size > LargestPreparedFile)
        return nullptr;
    auto job = std::make_shared<Job>();
    job->volume = std::move(loc->volume);
    job->components = std::move(loc->components);
    job->size = st->size;
    job->modified = st->modified;
    return job;
}

void AdLookAhead::prepare(const Files& files, const QStringList& paths, QSize stretchTo) {
    QHash<QString, std::shared_ptr<Job>> kept;
    for (const QString& path : paths) {
        if (kept.contains(path))
            continue;
        if (auto old = m_jobs.take(path)) {
            kept.insert(path, old);
            continue;
        }
        auto job = newJob(files, path);
        if (!job)
            continue;
        job->stretchTo = stretchTo;
        kept.insert(path, job);
        m_pool.start([job] { work(*job); });
    }
    for (const auto& dropped : std::as_const(m_jobs))
        dropped->cancelled = true;
    m_jobs = std::move(kept);
}

AdLookAhead::Picture AdLookAhead::take(const Files& files, const QString& path) {
    const auto job = m_jobs.take(path);
    // The user has moved on: what is still under way is not wanted now, and
    // the drive is wanted for this step.
    for (auto it = m_jobs.begin(); it != m_jobs.end();) {
        if (it.value()->isDone()) {
            ++it;
            continue;
        }
        it.value()->cancelled = true;
        it = m_jobs.erase(it);
    }
    if (!job || !unchanged(files, path, *job)) {
        if (job)
            job->cancelled = true;
        return {};
    }
    {
        std::unique_lock lock(job->mutex);
        if (job->stage == Stage::Waiting) {
            job->cancelled = true;
            return {};
        }
        job->ready.wait(lock, [&] { return job->stage == Stage::Done; });
    }
    // The medium may have gone while the picture was being read.
    if (!unchanged(files, path, *job))
        return {};
    return job->picture;
}

#include "lookahead.h"

#include "media/files.h"
#include "media/pictureloader.h"

#include <condition_variable>
#include <mutex>

struct AdLookAhead::Job {
    qint64 size = -1;
    QDateTime modified;
    std::mutex mutex;
    std::condition_variable ready;
    bool done = false;
    Picture picture;
};

namespace {

// Size and time of a file on its volume; size -1 when it cannot be found.
std::pair<qint64, QDateTime> stampOf(const Files& files, const QString& path) {
    const auto loc = files.resolve(path);
    if (!loc)
        return {-1, {}};
    const auto st = loc->volume->stat(loc->components);
    if (!st || st->isDir)
        return {-1, {}};
    return {st->size, st->modified};
}

} // namespace

AdLookAhead::AdLookAhead(QObject* parent) : QObject(parent) {
    m_pool.setMaxThreadCount(1);
}

AdLookAhead::~AdLookAhead() {
    m_pool.clear();
    m_pool.waitForDone();
}

void AdLookAhead::prepare(const Files& files, const QStringList& paths, QSize stretchTo) {
    QHash<QString, std::shared_ptr<Job>> kept;
    for (const QString& path : paths) {
        if (kept.contains(path))
            continue;
        if (auto old = m_jobs.value(path)) {
            kept.insert(path, old);
            continue;
        }
        const auto [size, modified] = stampOf(files, path);
        if (size < 0)
            continue;
        auto device = files.openRead(path);
        if (!device)
            continue;
        const QByteArray data = device->readAll();
        if (data.size() != size)
            continue;
        auto job = std::make_shared<Job>();
        job->size = size;
        job->modified = modified;
        kept.insert(path, job);
        m_pool.start([job, data, stretchTo] {
            Picture picture;
            picture.image = DecodePicture(data);
            if (!picture.image.isNull() && !stretchTo.isEmpty())
                picture.stretched = picture.image.scaled(stretchTo, Qt::IgnoreAspectRatio,
                                                         Qt::SmoothTransformation);
            const std::lock_guard lock(job->mutex);
            job->picture = std::move(picture);
            job->done = true;
            job->ready.notify_all();
        });
    }
    m_jobs = std::move(kept);
}

AdLookAhead::Picture AdLookAhead::take(const Files& files, const QString& path) {
    const auto job = m_jobs.value(path);
    if (!job)
        return {};
    const auto [size, modified] = stampOf(files, path);
    if (size != job->size || modified != job->modified) {
        m_jobs.remove(path);
        return {};
    }
    std::unique_lock lock(job->mutex);
    job->ready.wait(lock, [&] { return job->done; });
    return job->picture;
}

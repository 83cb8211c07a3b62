#include "slowvolume.h"

#include <algorithm>
#include <mutex>
#include <thread>

using Clock = std::chrono::steady_clock;

// The drive's head: one request at a time, each starting when the one before
// it has ended. Nobody holds the lock while waiting, so requests are served
// in the order they were made.
class SlowVolume::Drive {
public:
    void occupy(Clock::duration busy) {
        Clock::time_point until;
        {
            const std::lock_guard lock(m_mutex);
            m_busyUntil = std::max(m_busyUntil, Clock::now()) + busy;
            until = m_busyUntil;
        }
        std::this_thread::sleep_until(until);
    }

private:
    std::mutex m_mutex;
    Clock::time_point m_busyUntil;
};

namespace {

// A file on the slow drive: the bytes of the file below, each read paid for
// at the drive's throughput.
class SlowDevice : public QIODevice {
public:
    SlowDevice(std::unique_ptr<QIODevice> inner, std::shared_ptr<SlowVolume::Drive> drive,
               double bytesPerSecond)
        : m_inner(std::move(inner)), m_drive(std::move(drive)), m_bytesPerSecond(bytesPerSecond) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return m_inner->isSequential(); }
    qint64 size() const override { return m_inner->size(); }
    qint64 bytesAvailable() const override {
        return isSequential() ? m_inner->bytesAvailable() : QIODevice::bytesAvailable();
    }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_inner->seek(pos); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = m_inner->read(data, maxSize);
        if (n < 0)
            setErrorString(m_inner->errorString());
        if (n > 0)
            m_drive->occupy(std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(double(n) / m_bytesPerSecond)));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<QIODevice> m_inner;
    std::shared_ptr<SlowVolume::Drive> m_drive;
    double m_bytesPerSecond;
};

std::optional<SlowVolume::Speed> parseSpeed(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() > 2)
        return std::nullopt;
    SlowVolume::Speed speed;
    bool ok = true;
    if (!parts[0].trimmed().isEmpty()) {
        const int ms = parts[0].trimmed().toInt(&ok);
        if (!ok || ms < 0)
            return std::nullopt;
        speed.accessTime = std::chrono::milliseconds(ms);
    }
    if (parts.size() == 2 && !parts[1].trimmed().isEmpty()) {
        const double mb = parts[1].trimmed().toDouble(&ok);
        if (!ok || !(mb > 0))
            return std::nullopt;
        speed.bytesPerSecond = mb * 1e6;
    }
    return speed;
}

} // namespace

std::optional<SlowVolume::Speed> SlowVolume::speedFromEnvironment() {
    if (!qEnvironmentVariableIsSet("KESTRUN_SLOW_MEDIUM"))
        return std::nullopt;
    return parseSpeed(qEnvironmentVariable("KESTRUN_SLOW_MEDIUM"));
}

SlowVolume::SlowVolume(std::shared_ptr<Volume> inner, Speed speed)
    : m_inner(std::move(inner)), m_speed(speed), m_drive(std::make_shared<Drive>()) {}

SlowVolume::~SlowVolume() = default;

std::unique_ptr<QIODevice> SlowVolume::openRead(const QStringList& path) const {
    // A name that is not in the folder table fails at once; a file that is
    // costs the seek to its first sector.
    auto inner = m_inner->openRead(path);
    if (!inner)
        return nullptr;
    m_drive->occupy(m_speed.accessTime);
    return std::make_unique<SlowDevice>(std::move(inner), m_drive, m_speed.bytesPerSecond);
}

std::shared_ptr<Volume> slowedWhenAsked(std::shared_ptr<Volume> volume) {
    const auto speed = SlowVolume::speedFromEnvironment();
    if (!speed || !volume)
        return volume;
    return std::make_shared<SlowVolume>(std::move(volume), *speed);
}

#pragma once

#include "volume.h"

#include <chrono>
#include <memory>
#include <optional>

// A volume as slow as a CD-ROM drive, for trying the program and measuring
// it with the disc in the drive rather than in the page cache: every open
// waits for a seek and every read for its bytes at the drive's throughput.
// The drive serves one request at a time, in the order they come, so two
// readers wait for each other as they do on a real drive. Listings and file
// details come at once: a drive keeps the small folder tables in its cache.
class SlowVolume : public Volume {
public:
    struct Speed {
        std::chrono::milliseconds accessTime{120};
        double bytesPerSecond = 4e6;
    };
    // The speed KESTRUN_SLOW_MEDIUM asks for, "ACCESS_MS,MB_PER_S" ("120,4");
    // either part may be left out ("", ",3", "150"), taking the default.
    // nullopt when it is not set or names no speed.
    static std::optional<Speed> speedFromEnvironment();

    SlowVolume(std::shared_ptr<Volume> inner, Speed speed);
    ~SlowVolume() override;

    QString description() const override { return m_inner->description(); }
    std::optional<QList<VolumeEntry>> list(const QStringList& folder) const override {
        return m_inner->list(folder);
    }
    std::optional<VolumeEntry> stat(const QStringList& path) const override {
        return m_inner->stat(path);
    }
    std::unique_ptr<QIODevice> openRead(const QStringList& path) const override;
    QString hostPath(const QStringList& path) const override { return m_inner->hostPath(path); }
    std::optional<QStringList> resolve(const QStringList& path) const override {
        return m_inner->resolve(path);
    }

    class Drive;

private:
    std::shared_ptr<Volume> m_inner;
    Speed m_speed;
    std::shared_ptr<Drive> m_drive;
};

// The volume itself, or the same behind a SlowVolume when KESTRUN_SLOW_MEDIUM
// is set.
std::shared_ptr<Volume> slowedWhenAsked(std::shared_ptr<Volume> volume);

#pragma once

#include "isocatalog.h"
#include "volume.h"

#include <memory>
#include <mutex>

// A CD image file (.iso) read as a volume, without mounting it: Rock Ridge,
// Joliet or plain ISO 9660 names ("64TOVA00.JPG;1" is listed as
// "64TOVA00.JPG"). The listing is read once per state of the file and kept;
// file contents are read only when a file is opened. A file that is missing,
// is no image, is cut short or is damaged is a drive with no disc.
class IsoVolume : public Volume {
public:
    explicit IsoVolume(QString imagePath);
    ~IsoVolume() override;

    QString description() const override { return m_image; }
    std::optional<QList<VolumeEntry>> list(const QStringList& folder) const override;
    std::optional<VolumeEntry> stat(const QStringList& path) const override;
    std::unique_ptr<QIODevice> openRead(const QStringList& path) const override;
    // Empty: nothing on an image is a file on disk.
    QString hostPath(const QStringList& path) const override;
    std::optional<QStringList> resolve(const QStringList& path) const override;

    QString imagePath() const { return m_image; }
    // True when the image holds a disc that can be read now.
    bool hasDisc() const { return catalog() != nullptr; }

    // True for an existing regular file that ends in ".iso" (any case) or that
    // libarchive recognises as an ISO 9660 image.
    static bool isImageFile(const QString& path);
    // True for a path that ends in ".iso" (any case).
    static bool hasImageSuffix(const QString& path);

private:
    // The listing of the file as it is now; nullptr for no disc.
    std::shared_ptr<const IsoCatalog> catalog() const;

    QString m_image;
    mutable std::mutex m_mutex;
    mutable std::shared_ptr<const IsoCatalog> m_catalog;
    // The state of the file that m_catalog (or its absence) describes.
    mutable std::optional<ImageStamp> m_checked;
};

#pragma once

#include "records.h"

#include <QHash>
#include <QImage>
#include <QSize>
#include <QUrl>

#include <functional>
#include <mutex>
#include <optional>

class QQmlEngine;

// Thumbnails and file icons for the review window. Thumbnails load on worker
// threads through the "thumb" image provider and are kept in one cache for
// the process; icons come from the icon theme through "fileicon".
namespace Thumbs {

inline const QSize requestSize(220, 165);

// Only these kinds give a picture of their content; the rest show their icon.
bool mayHaveThumbnail(FileKind kind);
// image://thumb/... for a file, image://fileicon/<mime type> for its icon.
QUrl thumbnailUrl(const QUrl& file);
QUrl iconUrl(const PlanItem& item);

// Adds both providers to the engine, once.
void install(QQmlEngine& engine);

} // namespace Thumbs

// Thumbnails by file URL. Thread-safe; the map is locked only while it is
// read or changed, never while a thumbnail is made, so a slow file holds up
// no other request.
class ThumbCache {
public:
    using Maker = std::function<std::optional<QImage>(const QString& path, QSize bound)>;

    static constexpr qsizetype capacity = 301;

    explicit ThumbCache(Maker make);
    static ThumbCache& shared();

    // Nothing when no thumbnail can be made; such files are asked again.
    std::optional<QImage> image(const QUrl& url);
    qsizetype size() const;

private:
    Maker make_;
    mutable std::mutex mutex_;
    QHash<QUrl, QImage> cache_;
};

#include "thumbnails.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <libffmpegthumbnailer/videothumbnailerc.h>
#include <poppler-qt6.h>

#include <memory>

namespace Thumbnails {

namespace {

bool usable(const QImage& image) {
    return !image.isNull() && image.width() > 0 && image.height() > 0;
}

// Decodes at the bound, never at full size: a 50-megapixel photo costs no
// more than its thumbnail.
std::optional<QImage> image(const QString& path, QSize bound) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    if (size.width() > bound.width() || size.height() > bound.height())
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage out = reader.read();
    return usable(out) ? std::optional(out) : std::nullopt;
}

std::optional<QImage> pdfPage(const QString& path, QSize bound) {
    Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    if (!doc || doc->isLocked() || doc->numPages() < 1) return std::nullopt;
    std::unique_ptr<Poppler::Page> page = doc->page(0);
    if (!page) return std::nullopt;
    const QSizeF points = page->pageSizeF();
    if (points.width() <= 0 || points.height() <= 0) return std::nullopt;
    const double dpi =
        72.0 * std::min(bound.width() / points.width(), bound.height() / points.height());
    const QImage out = page->renderToImage(dpi, dpi);
    return usable(out) ? std::optional(out) : std::nullopt;
}

std::optional<QImage> videoFrame(const QString& path, QSize bound) {
    video_thumbnailer* thumbnailer = video_thumbnailer_create();
    if (!thumbnailer) return std::nullopt;
    video_thumbnailer_set_size(thumbnailer, bound.width(), 0);
    thumbnailer->thumbnail_image_type = Png;
    image_data* data = video_thumbnailer_create_image_data();
    std::optional<QImage> out;
    if (data && video_thumbnailer_generate_thumbnail_to_buffer(
                    thumbnailer, QFile::encodeName(path).constData(), data) == 0) {
        QImage frame;
        if (frame.loadFromData(data->image_data_ptr, data->image_data_size, "PNG") && usable(frame))
            out = frame.size().width() > bound.width() || frame.height() > bound.height()
                      ? frame.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                      : frame;
    }
    if (data) video_thumbnailer_destroy_image_data(data);
    video_thumbnailer_destroy(thumbnailer);
    return out;
}

bool isVideo(const QString& ext) {
    static const QStringList videos = {"mp4", "mov",  "m4v", "avi", "mkv",  "webm", "wmv", "flv",
                                       "mpg", "mpeg", "3gp", "mts", "m2ts", "ts",   "ogv"};
    return videos.contains(ext);
}

} // namespace

std::optional<QImage> load(const QString& path, QSize bound) {
    const QString ext = QFileInfo(path).suffix().toLower();
    std::optional<QImage> out;
    if (ext == QLatin1String("pdf"))
        out = pdfPage(path, bound);
    else if (isVideo(ext))
        out = videoFrame(path, bound);
    // Whatever the file, it may still be an image the reader knows.
    return out ? out : image(path, bound);
}

} // namespace Thumbnails

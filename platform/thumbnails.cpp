#include "thumbnails.h"

#include "heif.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <libffmpegthumbnailer/videothumbnailerc.h>
#include <poppler-qt6.h>

#include <dlfcn.h>

#include <memory>
#include <mutex>

namespace Thumbnails {

namespace {

bool usable(const QImage& image) {
    return !image.isNull() && image.width() > 0 && image.height() > 0;
}

std::optional<QImage> within(QImage image, QSize bound) {
    if (!usable(image)) return std::nullopt;
    if (image.width() > bound.width() || image.height() > bound.height())
        image = image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return usable(image) ? std::optional(image) : std::nullopt;
}

// Decodes at the bound, never at full size, where the format allows it: a
// 50-megapixel photo then costs no more than its thumbnail. The reader's
// allocation limit keeps decompression bombs out.
std::optional<QImage> image(const QString& path, QSize bound) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && !stored.isEmpty()) {
        // The scaled size is of the stored picture; EXIF turns it afterwards.
        QSize storedBound = bound;
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            storedBound.transpose();
        if (stored.width() > storedBound.width() || stored.height() > storedBound.height())
            reader.setScaledSize(
                stored.scaled(storedBound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    if (std::optional<QImage> out = within(reader.read(), bound)) return out;
    return Heif::read(path, bound);
}

void quietPoppler() {
    static std::once_flag once;
    std::call_once(once, [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
    });
}

std::optional<QImage> pdfPage(const QString& path, QSize bound) {
    quietPoppler();
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    if (!doc || doc->isLocked() || doc->numPages() < 1) return std::nullopt;
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    std::unique_ptr<Poppler::Page> page = doc->page(0);
    if (!page) return std::nullopt;
    const QSizeF points = page->pageSizeF();
    if (!(points.width() > 0) || !(points.height() > 0)) return std::nullopt;
    // Rendered straight at the bound: a poster-sized page costs no more.
    const double dpi =
        72.0 * std::min(bound.width() / points.width(), bound.height() / points.height());
    return within(page->renderToImage(dpi, dpi), bound);
}

// The decoders under the thumbnailer print their complaints about odd files
// to stderr; there is no one to read them. Looked up at run time: the
// library is there whenever the thumbnailer is.
void quietDecoders() {
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr int quiet = -8;
        if (auto* setLevel =
                reinterpret_cast<void (*)(int)>(::dlsym(RTLD_DEFAULT, "av_log_set_level")))
            setLevel(quiet);
    });
}

std::optional<QImage> videoFrame(const QString& path, QSize bound) {
    quietDecoders();
    std::unique_ptr<video_thumbnailer, void (*)(video_thumbnailer*)> thumbnailer(
        video_thumbnailer_create(), video_thumbnailer_destroy);
    std::unique_ptr<image_data, void (*)(image_data*)> data(video_thumbnailer_create_image_data(),
                                                            video_thumbnailer_destroy_image_data);
    if (!thumbnailer || !data) return std::nullopt;
    video_thumbnailer_set_size(thumbnailer.get(), bound.width(), 0);
    thumbnailer->thumbnail_image_type = Rgb;
    if (video_thumbnailer_generate_thumbnail_to_buffer(
            thumbnailer.get(), QFile::encodeName(path).constData(), data.get()) != 0)
        return std::nullopt;
    const int w = data->image_data_width, h = data->image_data_height;
    if (w <= 0 || h <= 0 || !data->image_data_ptr ||
        qint64(data->image_data_size) < qint64(w) * h * 3)
        return std::nullopt;
    // The frame's bytes belong to the thumbnailer: copy before it goes.
    const QImage frame(data->image_data_ptr, w, h, w * 3, QImage::Format_RGB888);
    return within(frame.copy(), bound);
}

bool isVideo(const QString& ext) {
    static const QStringList videos = {"mp4", "mov",  "m4v", "avi", "mkv",  "webm", "wmv", "flv",
                                       "mpg", "mpeg", "3gp", "mts", "m2ts", "ts",   "ogv"};
    return videos.contains(ext);
}

} // namespace

std::optional<QImage> load(const QString& path, QSize bound) {
    if (path.isEmpty() || bound.isEmpty()) return std::nullopt;
    const QString ext = QFileInfo(path).suffix().toLower();
    std::optional<QImage> out;
    if (ext == QLatin1String("pdf"))
        out = pdfPage(path, bound);
    else if (isVideo(ext))
        out = videoFrame(path, bound);
    // Whatever the file, it may still be an image the reader knows.
    return out ? out : image(path, bound);
}

std::optional<QSize> pixelSize(const QString& path) {
    const QSize stored = QImageReader(path).size(); // the header only; no pixels decoded
    if (stored.isValid() && !stored.isEmpty()) return stored;
    return Heif::size(path);
}

} // namespace Thumbnails

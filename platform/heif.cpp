#include "heif.h"

#include <QFile>
#include <QImageReader>

#include <libheif/heif.h>

#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace Heif {

namespace {

using Context = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using Handle = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
using Image = std::unique_ptr<heif_image, decltype(&heif_image_release)>;

// Only a regular file whose first bytes name a HEIF brand is handed to the
// library: anything else costs one short read.
bool looksLikeHeif(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    if (head.size() < 12) return false;
    const heif_filetype_result type =
        heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()), 12);
    // "Maybe" is the generic HEIF brand, which cameras write too.
    return type == heif_filetype_yes_supported || type == heif_filetype_maybe;
}

Handle primary(const QString& path) {
    Handle none(nullptr, heif_image_handle_release);
    if (!looksLikeHeif(path)) return none;
    Context context(heif_context_alloc(), heif_context_free);
    if (!context ||
        heif_context_read_from_file(context.get(), QFile::encodeName(path).constData(), nullptr)
                .code != heif_error_Ok)
        return none;
    heif_image_handle* handle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
        return none;
    return Handle(handle, heif_image_handle_release); // holds its context
}

QSize sizeOf(const heif_image_handle* handle) {
    return {heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)};
}

// The smallest embedded thumbnail that still fills the bound as the picture
// would, or the picture itself.
Handle best(Handle picture, QSize bound) {
    const QSize full = sizeOf(picture.get());
    const QSize wanted = full.scaled(bound, Qt::KeepAspectRatio).boundedTo(full);
    std::vector<heif_item_id> ids(static_cast<std::size_t>(
        std::max(heif_image_handle_get_number_of_thumbnails(picture.get()), 0)));
    heif_image_handle_get_list_of_thumbnail_IDs(picture.get(), ids.data(), int(ids.size()));
    Handle chosen(nullptr, heif_image_handle_release);
    for (const heif_item_id id : ids) {
        heif_image_handle* thumb = nullptr;
        if (heif_image_handle_get_thumbnail(picture.get(), id, &thumb).code != heif_error_Ok)
            continue;
        Handle candidate(thumb, heif_image_handle_release);
        const QSize size = sizeOf(thumb);
        if (size.width() >= wanted.width() && size.height() >= wanted.height() &&
            (!chosen || size.width() < sizeOf(chosen.get()).width()))
            chosen = std::move(candidate);
    }
    return chosen ? std::move(chosen) : std::move(picture);
}

} // namespace

std::optional<QSize> size(const QString& path) {
    const Handle handle = primary(path);
    if (!handle) return std::nullopt;
    const QSize out = sizeOf(handle.get());
    return out.isEmpty() ? std::nullopt : std::optional(out);
}

std::optional<QImage> read(const QString& path, QSize bound) {
    Handle picture = primary(path);
    if (!picture || bound.isEmpty()) return std::nullopt;
    const Handle handle = best(std::move(picture), bound);
    const QSize size = sizeOf(handle.get());
    // The same allocation limit as the toolkit's readers: no decompression bombs.
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    if (size.isEmpty() || (limit > 0 && qint64(size.width()) * size.height() * 4 > limit))
        return std::nullopt;
    heif_image* decoded = nullptr;
    if (heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                          nullptr)
            .code != heif_error_Ok)
        return std::nullopt;
    const Image image(decoded, heif_image_release);
    int stride = 0;
    const uint8_t* pixels =
        heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int w = heif_image_get_width(decoded, heif_channel_interleaved);
    const int h = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!pixels || w <= 0 || h <= 0 || stride < w * 4) return std::nullopt;
    // The pixels belong to the decoded image: copy before it goes.
    QImage out = QImage(pixels, w, h, stride, QImage::Format_RGBA8888).copy();
    if (out.isNull()) return std::nullopt;
    if (w > bound.width() || h > bound.height())
        out = out.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return out;
}

} // namespace Heif

#pragma once

#include <QFile>
#include <QImage>
#include <QString>

#include <libheif/heif.h>

#include <cstring>
#include <memory>

// Real HEIC and AVIF files, written with the encoders libheif carries.
namespace TestImages {

inline std::unique_ptr<heif_image, decltype(&heif_image_release)> toHeif(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                      &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width() * 3));
    return {image, heif_image_release};
}

// With a thumbnail, it is made from that picture (so a test can tell which
// one was decoded), scaled to fit a square of thumbnailBox pixels.
inline bool writeHeif(const QString& path, const QImage& picture, heif_compression_format format,
                      const QImage& thumbnail = {}, int thumbnailBox = 0) {
    std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(),
                                                                        heif_context_free);
    heif_encoder* encoder = nullptr;
    if (heif_context_get_encoder_for_format(context.get(), format, &encoder).code) return false;
    std::unique_ptr<heif_encoder, decltype(&heif_encoder_release)> owned(encoder,
                                                                         heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder, 50);
    heif_image_handle* handle = nullptr;
    if (heif_context_encode_image(context.get(), toHeif(picture).get(), encoder, nullptr, &handle)
            .code)
        return false;
    bool ok = true;
    if (!thumbnail.isNull())
        ok = !heif_context_encode_thumbnail(context.get(), toHeif(thumbnail).get(), handle, encoder,
                                            nullptr, thumbnailBox, nullptr)
                  .code;
    heif_image_handle_release(handle);
    return ok &&
           !heif_context_write_to_file(context.get(), QFile::encodeName(path).constData()).code;
}

} // namespace TestImages

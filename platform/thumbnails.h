#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// A small picture of a file's content, decoded at about the size asked for:
// images (scaled while decoding, turned upright), a PDF's first page, a video
// frame. Nothing when the file gives no picture.
namespace Thumbnails {

std::optional<QImage> load(const QString& path, QSize bound);
// An image file's pixel size from its headers; nothing when no decoder here
// reads the file.
std::optional<QSize> pixelSize(const QString& path);

} // namespace Thumbnails

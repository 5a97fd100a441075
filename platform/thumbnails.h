#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// A small picture of a file's content, decoded at about the size asked for:
// images (scaled while decoding), a PDF's first page, a video frame.
namespace Thumbnails {

std::optional<QImage> load(const QString& path, QSize bound);

} // namespace Thumbnails

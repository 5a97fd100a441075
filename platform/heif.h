#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// HEIC and AVIF pictures, which the toolkit's own image readers do not
// decode here. Nothing for any other file, never a wait on a pipe.
namespace Heif {

// The pixel size of the main picture as shown, from the file's headers.
std::optional<QSize> size(const QString& path);
// The main picture turned upright, within bound; an embedded thumbnail
// stands in when it is large enough, so a phone photo is not decoded whole.
std::optional<QImage> read(const QString& path, QSize bound);

} // namespace Heif

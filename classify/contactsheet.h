#pragma once

#include "records.h"

#include <QByteArray>
#include <QFuture>
#include <QImage>
#include <QList>
#include <QSize>
#include <QUrl>

#include <optional>

// Up to twenty files as one JPEG of numbered tiles, so the model sees many
// images in one request.
namespace ContactSheet {

// Never fails: nothing when the sheet cannot be drawn or encoded. A file
// without a picture still gets its numbered tile.
QFuture<std::optional<QByteArray>> make(const QList<ScannedItem>& items);
QFuture<std::optional<QImage>> thumbnail(const QUrl& url);

// The pixel size of a sheet of that many tiles.
QSize size(qsizetype tiles);

// The drawing itself, given each item's thumbnail at the item's index.
std::optional<QByteArray> render(const QList<ScannedItem>& items,
                                 const QList<std::optional<QImage>>& images);

} // namespace ContactSheet

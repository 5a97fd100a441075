#pragma once

#include "classifier.h"
#include "records.h"

#include <QByteArray>
#include <QFuture>
#include <QImage>
#include <QList>

#include <optional>

// Up to twenty files as one numbered JPEG, so the model sees many images in
// one request.
namespace ContactSheet {

// Nothing when the sheet cannot be drawn or encoded.
QFuture<std::optional<QByteArray>> make(const QList<ScannedItem>& items);
QFuture<std::optional<QImage>> thumbnail(const QString& path);
// The drawing itself, given the thumbnails in item order.
std::optional<QByteArray> render(const QList<ScannedItem>& items,
                                 const QList<std::optional<QImage>>& images);

} // namespace ContactSheet

#include "contactsheet.h"

#include "thumbnails.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <numeric>

namespace ContactSheet {

namespace {

constexpr int columns = 5;
constexpr int tile = 260;
constexpr int width = columns * tile;
constexpr int loadsAtOnce = 5;
const QSize thumbSize(250, 220);

QFont labelFont(bool bold) {
    QFont font;
    font.setPixelSize(14);
    font.setBold(bold);
    return font;
}

// Sheets are drawn off the caller's thread; several may be drawn at once.
QThreadPool& sheetPool() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(6);
        return p;
    }();
    return *pool;
}

} // namespace

QFuture<std::optional<QImage>> thumbnail(const QString& path) {
    return QtConcurrent::run([path] { return Thumbnails::load(path, thumbSize); });
}

std::optional<QByteArray> render(const QList<ScannedItem>& items,
                                 const QList<std::optional<QImage>>& images) {
    const int rows = std::max(1, int(items.size() + 4) / columns);
    QImage sheet(width, rows * tile, QImage::Format_RGBA8888);
    if (sheet.isNull()) return std::nullopt;
    sheet.fill(QColor::fromRgbF(0.86f, 0.86f, 0.86f));
    QPainter painter(&sheet);
    if (!painter.isActive()) return std::nullopt;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont bold = labelFont(true);
    const QFont plain = labelFont(false);
    for (qsizetype i = 0; i < items.size(); ++i) {
        // Tiles fill rows from the top; each holds a 252 x 224 image area
        // above a 30-pixel label strip.
        const int x = int(i % columns) * tile;
        const int top = int(i / columns) * tile;
        const std::optional<QImage>& image = i < images.size() ? images[i] : std::nullopt;
        if (!image || image->width() <= 0 || image->height() <= 0) {
            painter.setFont(plain);
            painter.setPen(Qt::gray);
            painter.drawText(QPointF(x + 12, top + tile - 120 - QFontMetrics(plain).descent()),
                             QStringLiteral("no preview"));
        } else {
            const double scale = std::min(252.0 / image->width(), 224.0 / image->height());
            const QSizeF drawn(image->width() * scale, image->height() * scale);
            const QRectF area(x + 4, top + 4, 252, 224);
            painter.drawImage(
                QRectF(area.center() - QPointF(drawn.width() / 2, drawn.height() / 2), drawn),
                *image);
        }
        painter.fillRect(QRect(x, top + tile - 30, tile, 30),
                         QColor::fromRgbF(0.08f, 0.08f, 0.08f));
        painter.setFont(bold);
        painter.setPen(Qt::white);
        const QString label = QStringLiteral("#%1 ").arg(i + 1) + leftChars(items[i].name, 24);
        painter.drawText(QPointF(x + 6, top + tile - 7 - QFontMetrics(bold).descent()), label);
    }
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!sheet.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPG", 72)) return std::nullopt;
    return jpeg;
}

QFuture<std::optional<QByteArray>> make(const QList<ScannedItem>& items) {
    return QtConcurrent::run(&sheetPool(), [items] {
        // At most five thumbnails load at once; results keep their item's place.
        QThreadPool loaders;
        loaders.setMaxThreadCount(loadsAtOnce);
        QList<std::optional<QImage>> images(items.size());
        QList<qsizetype> indices(items.size());
        std::iota(indices.begin(), indices.end(), 0);
        QtConcurrent::blockingMap(&loaders, indices, [&](qsizetype i) {
            images[i] = Thumbnails::load(items[i].path(), thumbSize);
        });
        return render(items, images);
    });
}

} // namespace ContactSheet

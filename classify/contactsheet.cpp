#include "contactsheet.h"

#include "thumbnails.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace ContactSheet {

namespace {

constexpr int columns = 5;
constexpr int tile = 260;
constexpr int sheetWidth = columns * tile;
constexpr int labelChars = 24;
constexpr int loadsAtOnce = 5;
constexpr int jpegQuality = 72;
const QSize thumbSize(250, 220);

QFont systemFont(bool bold) {
    QFont font;
    font.setPixelSize(14);
    font.setBold(bold);
    return font;
}

// Tiles are laid out from the top-left; each holds a 252 x 224 image area
// above a 30-pixel label strip.
struct Tile {
    int x;
    int top;
    QRect imageArea() const { return QRect(x + 4, top + 4, 252, 224); }
    QRect strip() const { return QRect(x, top + tile - 30, tile, 30); }
    // Text is placed by the bottom of its line box, so the baseline sits one
    // descent above the point.
    QPointF textAt(int dx, int dyFromBottom, const QFontMetrics& metrics) const {
        return QPointF(x + dx, top + tile - dyFromBottom - metrics.descent());
    }
};

Tile tileAt(qsizetype i) {
    return {int(i % columns) * tile, int(i / columns) * tile};
}

// Sheets are drawn off the caller's thread, as many at once as the
// Classifier has jobs in flight.
QThreadPool& sheetPool() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(6);
        return p;
    }();
    return *pool;
}

} // namespace

QFuture<std::optional<QImage>> thumbnail(const QUrl& url) {
    return QtConcurrent::run(
        [path = url.toLocalFile()] { return Thumbnails::load(path, thumbSize); });
}

QSize size(qsizetype tiles) {
    const int rows = std::max(1, int((tiles + columns - 1) / columns));
    return {sheetWidth, rows * tile};
}

std::optional<QByteArray> render(const QList<ScannedItem>& items,
                                 const QList<std::optional<QImage>>& images) {
    QImage sheet(size(items.size()), QImage::Format_ARGB32_Premultiplied);
    if (sheet.isNull()) return std::nullopt;
    sheet.fill(QColor::fromRgbF(0.86f, 0.86f, 0.86f));
    QPainter painter(&sheet);
    if (!painter.isActive()) return std::nullopt;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont bold = systemFont(true);
    const QFont plain = systemFont(false);
    const QFontMetrics boldMetrics(bold);
    const QFontMetrics plainMetrics(plain);
    const QColor stripColour = QColor::fromRgbF(0.08f, 0.08f, 0.08f);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Tile t = tileAt(i);
        const std::optional<QImage>& image = i < images.size() ? images[i] : std::nullopt;
        if (!image || image->width() <= 0 || image->height() <= 0) {
            painter.setFont(plain);
            painter.setPen(Qt::gray);
            painter.drawText(t.textAt(12, 120, plainMetrics), QStringLiteral("no preview"));
        } else {
            // Fit with the aspect kept; small pictures are enlarged.
            const QRectF area = t.imageArea();
            const double scale =
                std::min(area.width() / image->width(), area.height() / image->height());
            QRectF drawn(0, 0, image->width() * scale, image->height() * scale);
            drawn.moveCenter(area.center());
            painter.drawImage(drawn, *image);
        }
        painter.fillRect(t.strip(), stripColour);
        // A wide name stays on its own tile instead of running into the next.
        painter.setClipRect(t.strip());
        painter.setFont(bold);
        painter.setPen(Qt::white);
        painter.drawText(t.textAt(6, 7, boldMetrics),
                         QStringLiteral("#%1 ").arg(i + 1) + leftChars(items[i].name, labelChars));
        painter.setClipping(false);
    }
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!sheet.save(&buffer, "JPG", jpegQuality) || jpeg.isEmpty()) return std::nullopt;
    return jpeg;
}

QFuture<std::optional<QByteArray>> make(const QList<ScannedItem>& items) {
    return QtConcurrent::run(&sheetPool(), [items] {
        // Five loads at once, each next one starting as one finishes; every
        // result keeps its item's index whatever order they finish in. Only
        // the pool's own threads load: waitForDone never runs one here.
        QThreadPool loaders;
        loaders.setMaxThreadCount(loadsAtOnce);
        QList<std::optional<QImage>> images(items.size());
        std::optional<QImage>* results = images.data();
        for (qsizetype i = 0; i < items.size(); ++i)
            loaders.start([results, &items, i] {
                results[i] = Thumbnails::load(items[i].path(), thumbSize);
            });
        loaders.waitForDone();
        return render(items, images);
    });
}

} // namespace ContactSheet

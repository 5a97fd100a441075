#include "trayicons.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace TrayIcons {

QString path(const QString& name) {
    return QStringLiteral(":/qt/qml/Tovrin/Core/icons/") + name + QStringLiteral(".svg");
}

bool loads(const QString& name) {
    return QSvgRenderer(path(name)).isValid();
}

QString choose(Phase phase, bool menuIconLoads) {
    const bool busy = phase == Phase::scanning || phase == Phase::applying;
    if (phase != Phase::review && !busy && menuIconLoads) return menuIcon;
    if (phase == Phase::review) return QStringLiteral("sun.horizon.fill");
    if (busy) return QStringLiteral("arrow.triangle.2.circlepath");
    return QStringLiteral("sun.horizon");
}

QImage render(const QString& name, int pixels, const QColor& ink) {
    if (!QFile::exists(path(name))) return {};
    QSvgRenderer renderer(path(name));
    if (!renderer.isValid()) return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    // The artwork is drawn in charcoal; keep its shape, take the panel's ink.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), ink);
    return image;
}

QIcon icon(const QString& name, const QColor& ink) {
    QIcon result;
    for (int pixels : {16, 22, 24, 32}) {
        const QImage image = render(name, pixels, ink);
        if (!image.isNull()) result.addPixmap(QPixmap::fromImage(image));
    }
    return result;
}

} // namespace TrayIcons

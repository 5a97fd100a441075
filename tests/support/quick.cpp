#include "quick.h"

#include "qmltypes.h"

#include <QDir>
#include <QFileInfo>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QTest>

#include <algorithm>

namespace Quick {

QList<QQuickItem*> items(QQuickItem* root) {
    QList<QQuickItem*> found;
    if (!root) return found;
    found.append(root);
    for (QQuickItem* child : root->childItems())
        found += items(child);
    return found;
}

QQuickItem* find(QQuickItem* root, const QString& name) {
    QQuickItem* hidden = nullptr;
    for (QQuickItem* item : items(root)) {
        if (item->objectName() != name) continue;
        if (item->isVisible()) return item;
        if (!hidden) hidden = item;
    }
    return hidden;
}

QQuickItem* wait(QQuickItem* root, const QString& name) {
    QQuickItem* found = nullptr;
    if (!QTest::qWaitFor([&] {
            found = find(root, name);
            return found && found->isVisible();
        }))
        qFatal("No visible item named %s", qPrintable(name));
    return found;
}

QStringList texts(QQuickItem* root) {
    QStringList found;
    for (QQuickItem* item : items(root))
        if (item->isVisible() && item->inherits("QQuickText"))
            found.append(item->property("text").toString());
    return found;
}

namespace {

// Where a text must stay: its card, or the window; a scrolling list only
// bounds its width.
bool staysInside(QQuickItem* item) {
    const QRectF rect = item->mapRectToScene(item->boundingRect()).adjusted(1, 1, -1, -1);
    for (QQuickItem* up = item->parentItem(); up; up = up->parentItem()) {
        const QRectF bounds = up->mapRectToScene(up->boundingRect());
        if (up->inherits("QQuickFlickable"))
            return bounds.left() <= rect.left() && rect.right() <= bounds.right();
        if (QString::fromLatin1(up->metaObject()->className()).startsWith(QLatin1String("Card_")))
            return bounds.contains(rect);
    }
    return QRectF(QPointF(0, 0), item->window()->size()).contains(rect);
}

} // namespace

QStringList clipped(QQuickItem* root) {
    QStringList found;
    for (QQuickItem* item : items(root)) {
        const QString text = item->property("text").toString();
        if (!item->isVisible() || !item->inherits("QQuickText") || text.isEmpty()) continue;
        const bool tall = item->property("lineCount").toInt() > 1 &&
                          item->property("contentHeight").toReal() > item->height() + 1;
        QString why;
        if (item->property("truncated").toBool())
            why = QStringLiteral("cut short");
        else if (item->property("contentWidth").toReal() > item->width() + 1 || tall)
            why = QStringLiteral("larger than its box");
        else if (!staysInside(item))
            why = QStringLiteral("outside its card or window");
        if (!why.isEmpty()) found.append(QStringLiteral("\"%1\" %2").arg(text, why));
    }
    return found;
}

bool click(QQuickItem* item) {
    if (!item || !item->window()) return false;
    item->window()->grabWindow();
    if (!item->isVisible()) return false;
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(item->window(), Qt::LeftButton, {}, centre.toPoint(), 1000);
    return true;
}

bool screenshot(QQuickWindow& window, const QString& name) {
    const auto loading = [&] {
        const QList<QQuickItem*> all = items(window.contentItem());
        return std::any_of(all.begin(), all.end(), [](QQuickItem* item) {
            return item->inherits("QQuickImage") && item->property("status").toInt() == 2;
        });
    };
    return QTest::qWaitFor([&] { return !loading(); }) && screenshot(window.grabWindow(), name);
}

bool screenshot(const QImage& shot, const QString& name) {
    const QString file = QStringLiteral(TOVRIN_SCREENSHOTS "/") + name + QStringLiteral(".png");
    return QDir().mkpath(QFileInfo(file).path()) && shot.save(file);
}

} // namespace Quick

void Quick::setUp(QQmlEngine& engine) {
    // Once, before any engine loads the controls.
    static const bool styled = (QQuickStyle::setStyle(QStringLiteral("Basic")), true);
    Q_UNUSED(styled);
    UiCore::setUp(engine);
}

TestView::TestView(const QString& view, QObject* state, QSize size) {
    Quick::setUp(*window.engine());
    if (state)
        window.setInitialProperties({{QStringLiteral("appState"), QVariant::fromValue(state)}});
    window.setResizeMode(size.isValid() ? QQuickView::SizeRootObjectToView
                                        : QQuickView::SizeViewToRootObject);
    if (size.isValid()) window.resize(size);
    window.setSource(QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/") + view + QStringLiteral(".qml")));
    if (window.status() != QQuickView::Ready) {
        for (const QQmlError& error : window.errors())
            qWarning() << error;
        qFatal("%s did not load", qPrintable(view));
    }
    window.show();
    // Keys reach only the active window.
    window.requestActivate();
    if (!QTest::qWaitForWindowActive(&window)) qFatal("%s never showed", qPrintable(view));
}

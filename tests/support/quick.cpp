#include "quick.h"

#include <QTest>

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

QQuickItem* find(QQuickWindow& window, const QString& name) {
    return find(window.contentItem(), name);
}

QQuickItem* button(QQuickItem* root, const QString& title) {
    for (QQuickItem* item : items(root))
        if (item->isVisible() && item->inherits("QQuickAbstractButton") &&
            item->property("text").toString() == title)
            return item;
    return nullptr;
}

bool shows(QQuickItem* root, const QString& name) {
    QQuickItem* item = find(root, name);
    return item && item->isVisible();
}

bool shows(QQuickWindow& window, const QString& name) {
    return shows(window.contentItem(), name);
}

QString text(QQuickWindow& window, const QString& name) {
    QQuickItem* item = find(window, name);
    return item ? item->property("text").toString() : QString();
}

namespace {

void collect(QQuickItem* item, QStringList& texts) {
    if (!item || !item->isVisible()) return;
    if (item->inherits("QQuickText")) texts.append(item->property("text").toString());
    if (item->inherits("QQuickTextField")) {
        const QString placeholder = item->property("placeholderText").toString();
        if (!placeholder.isEmpty()) texts.append(placeholder);
    }
    for (QQuickItem* child : item->childItems())
        collect(child, texts);
}

} // namespace

QStringList texts(QQuickItem* root) {
    QStringList found;
    collect(root, found);
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

bool click(QQuickWindow& window, const QString& name) {
    window.grabWindow();
    return click(find(window, name));
}

void type(QQuickItem* item, const QString& text) {
    item->forceActiveFocus(Qt::TabFocusReason);
    for (QChar c : text)
        QTest::keyClick(item->window(), c.toLatin1());
}

bool screenshot(QQuickWindow& window, const QString& name) {
    return screenshot(window.grabWindow(), name);
}

bool screenshot(const QImage& shot, const QString& name) {
    return shot.save(QStringLiteral(TOVRIN_SCREENSHOTS "/") + name + QStringLiteral(".png"));
}

} // namespace Quick

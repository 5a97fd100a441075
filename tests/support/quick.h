#pragma once

#include <QQuickItem>
#include <QQuickWindow>
#include <QStringList>

// What a test does to a Qt Quick window: find items by object name, click
// and type as the user would, read what is shown, save what it looks like.
namespace Quick {

// Every item under root, root first.
QList<QQuickItem*> items(QQuickItem* root);
// The item of that object name under root, a visible one before a hidden one.
QQuickItem* find(QQuickItem* root, const QString& name);
QQuickItem* find(QQuickWindow& window, const QString& name);
// The visible button with that title.
QQuickItem* button(QQuickItem* root, const QString& title);
bool shows(QQuickItem* root, const QString& name);
bool shows(QQuickWindow& window, const QString& name);
// The item's "text" property; empty when there is no such item.
QString text(QQuickWindow& window, const QString& name);
// Every text shown under root, top to bottom: labels, button titles, field
// placeholders.
QStringList texts(QQuickItem* root);

// A real mouse click on the middle of a visible item; false when there is
// none. The window is laid out first, since a panel may just have been
// swapped in, and clicks are spaced so two in a row never read as a double
// click.
bool click(QQuickItem* item);
bool click(QQuickWindow& window, const QString& name);
// Focuses the item and types the text into it key by key.
void type(QQuickItem* item, const QString& text);

// Saves the window, or a picture of it, as build/screenshots/<name>.png
// for a reviewer.
bool screenshot(QQuickWindow& window, const QString& name);
bool screenshot(const QImage& shot, const QString& name);

} // namespace Quick

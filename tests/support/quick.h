#pragma once

#include <QQuickItem>
#include <QQuickView>
#include <QStringList>
#include <QTest>

class QQmlEngine;

// What a test does to a Qt Quick window: find items by object name, click
// as the user would, read what is shown, save what it looks like.
namespace Quick {

// Readies an engine for our modules, in the style every test renders with.
void setUp(QQmlEngine& engine);

QList<QQuickItem*> items(QQuickItem* root);
// The item of that object name under root, a visible one before a hidden one.
QQuickItem* find(QQuickItem* root, const QString& name);
// The item of that name, waited for until it is shown. A missing item ends
// the run, since every later step would read through a null pointer.
QQuickItem* wait(QQuickItem* root, const QString& name);
// Every text shown under root, top to bottom: labels and button titles.
QStringList texts(QQuickItem* root);

// Every shown text under root that the user cannot read whole, with why:
// cut short by an ellipsis, wider than its box or in lines beyond its
// height, or reaching past its card or the window. Text in a scrolling list is only held to the
// list's width.
QStringList clipped(QQuickItem* root);

// A real mouse click on the middle of a visible item; false when there is
// none. The window is laid out first, since a panel may just have been
// swapped in; clicks are spaced so two never read as a double click.
bool click(QQuickItem* item);

// Saves the window, once no image in it is still loading, or a picture, as
// build/screenshots/<name>.png for a reviewer; a name may hold a folder.
bool screenshot(QQuickWindow& window, const QString& name);
bool screenshot(const QImage& shot, const QString& name);

} // namespace Quick

// One view of a Tovrin module ("Review/ReviewView") in an active window of
// its own, bound to the state, in the style every test renders with. With a
// size the view fills the window; without one the window takes the view's
// size. A view that does not load or show ends the run.
class TestView {
public:
    TestView(const QString& view, QObject* state, QSize size = {});

    QQuickItem* root() const { return window.rootObject(); }
    QQuickItem* find(const QString& name) const { return Quick::wait(root(), name); }
    // The item of that name inside the one named first: a row's switch.
    QQuickItem* find(const QString& outer, const QString& name) const {
        return Quick::wait(find(outer), name);
    }
    bool shows(const QString& name) const {
        QQuickItem* item = Quick::find(root(), name);
        return item && item->isVisible();
    }
    QString text(const QString& name) const { return find(name)->property("text").toString(); }
    bool click(const QString& name) const { return Quick::click(find(name)); }
    void key(int key) { QTest::keyClick(&window, Qt::Key(key)); }
    bool screenshot(const QString& name) { return Quick::screenshot(window, name); }

    QQuickView window;
};

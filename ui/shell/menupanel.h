#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QRect>

class AppState;
class QQmlEngine;
class QQuickWindow;

// The menu panel's window: a frameless pop-over beside the status icon, or,
// where the desktop has no status area, a small ordinary window.
class MenuPanel : public QObject {
    Q_OBJECT
public:
    enum class Style { popover, window };

    MenuPanel(QQmlEngine& engine, AppState& state, Style style, QObject* parent = nullptr);
    ~MenuPanel() override;

    QQuickWindow* window() const { return window_; }
    bool isShown() const;

    // Shows the panel next to `anchor` (the status icon), or centred without one.
    void show(const QRect& anchor = {});
    void hide();
    // A click on the status icon: shows the panel, or hides it when shown.
    void toggle(const QRect& anchor);

    // Where a panel of that size goes beside the icon, kept on the screen.
    static QPoint placement(const QSize& panel, const QRect& anchor, const QRect& screen);

private:
    QQuickWindow* window_ = nullptr;
    QElapsedTimer hiddenByFocus_;
    AppState& state_;
    Style style_;
};

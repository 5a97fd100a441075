#include "menupanel.h"

#include "appstate.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QScreen>

namespace {
// A click on the icon first takes focus from the open panel, which hides it;
// that same click must not open it again.
constexpr qint64 sameClickMs = 300;
constexpr int gap = 6;
} // namespace

MenuPanel::MenuPanel(QQmlEngine& engine, AppState& state, Style style, QObject* parent)
    : QObject(parent), state_(state), style_(style) {
    QQmlComponent component(&engine,
                            QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Shell/PanelWindow.qml")));
    if (!component.isReady()) {
        qWarning("Cannot make the menu panel: %s", qPrintable(component.errorString()));
        return;
    }
    QObject* object = component.createWithInitialProperties(
        {{QStringLiteral("appState"), QVariant::fromValue(&state)},
         {QStringLiteral("popover"), style == Style::popover}});
    window_ = qobject_cast<QQuickWindow*>(object);
    if (!window_) {
        qWarning("Cannot make the menu panel: %s", qPrintable(component.errorString()));
        delete object;
        return;
    }
    if (style_ == Style::popover) {
        connect(window_, &QWindow::activeChanged, this, [this] {
            if (window_->isVisible() && !window_->isActive()) {
                window_->hide();
                hiddenByFocus_.start();
            }
        });
    }
}

MenuPanel::~MenuPanel() {
    delete window_;
}

bool MenuPanel::isShown() const {
    return window_ && window_->isVisible();
}

void MenuPanel::show(const QRect& anchor) {
    if (!window_) return;
    // The idle panel's count of new files is fresh whenever the menu opens.
    state_.refreshNewFiles();
    if (!window_->isVisible()) {
        QScreen* screen = anchor.isValid() ? QGuiApplication::screenAt(anchor.center()) : nullptr;
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            const QSize size = window_->size();
            window_->setPosition(anchor.isValid()
                                     ? placement(size, anchor, area)
                                     : area.center() - QPoint(size.width() / 2, size.height() / 2));
        }
    }
    window_->show();
    window_->raise();
    window_->requestActivate();
}

void MenuPanel::hide() {
    if (window_) window_->hide();
}

void MenuPanel::toggle(const QRect& anchor) {
    if (isShown()) return hide();
    if (hiddenByFocus_.isValid() && hiddenByFocus_.elapsed() < sameClickMs) return;
    show(anchor);
}

QPoint MenuPanel::placement(const QSize& panel, const QRect& anchor, const QRect& screen) {
    // Below an icon in the upper half of the screen, above one in the lower.
    const bool below = anchor.center().y() < screen.center().y();
    int x = anchor.center().x() - panel.width() / 2;
    int y = below ? anchor.bottom() + 1 + gap : anchor.top() - gap - panel.height();
    x = std::clamp(x, screen.left() + gap,
                   std::max(screen.left() + gap, screen.right() + 1 - gap - panel.width()));
    y = std::clamp(y, screen.top() + gap,
                   std::max(screen.top() + gap, screen.bottom() + 1 - gap - panel.height()));
    return {x, y};
}

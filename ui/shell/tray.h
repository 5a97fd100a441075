#pragma once

#include <QColor>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class AppState;
class MenuPanel;

// The status-area icon: follows the phase and opens the menu panel.
class Tray : public QObject {
    Q_OBJECT
public:
    Tray(AppState& state, MenuPanel& panel, QColor ink, QObject* parent = nullptr);

    QString iconName() const { return iconName_; }
    QRect geometry() const { return icon_.geometry(); }

private:
    void update();

    AppState& state_;
    MenuPanel& panel_;
    QColor ink_;
    bool menuIconLoads_;
    QString iconName_;
    QMenu menu_;
    QSystemTrayIcon icon_;
};

#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqml.h>

#include <functional>

class QJSEngine;
class QQmlEngine;

// What the views may ask of the application around them. The application
// installs the window and quit actions once; folders open in the file manager.
class Shell : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    struct Actions {
        std::function<void(const QString& windowId)> openWindow;
        std::function<void(const QString& path)> openFolder = defaultOpenFolder;
        std::function<void()> quit = defaultQuit;
    };

    using QObject::QObject;

    static Shell* create(QQmlEngine* engine, QJSEngine* scriptEngine);
    static void setActions(Actions actions);

    // Opens the window with that id, or brings it forward when it is open.
    Q_INVOKABLE void openWindow(const QString& windowId);
    // Shows an existing folder in the file manager; creates nothing.
    Q_INVOKABLE void openFolder(const QString& path);
    Q_INVOKABLE void quit();

    // Through the installed actions, for the C++ side of the shell.
    static void showFolder(const QString& path);

    static void defaultOpenFolder(const QString& path);
    static void defaultQuit();

private:
    static Actions& actions();
};

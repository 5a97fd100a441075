#include "shell.h"

#include "filemanager.h"

#include <QCoreApplication>
#include <QFileInfo>

Shell* Shell::create(QQmlEngine*, QJSEngine*) {
    return new Shell;
}

Shell::Actions& Shell::actions() {
    static Actions installed;
    return installed;
}

void Shell::setActions(Actions actions) {
    Shell::actions() = std::move(actions);
}

void Shell::openWindow(const QString& windowId) {
    if (actions().openWindow) actions().openWindow(windowId);
}

void Shell::openFolder(const QString& path) {
    showFolder(path);
}

void Shell::showFolder(const QString& path) {
    if (actions().openFolder) actions().openFolder(path);
}

void Shell::quit() {
    if (actions().quit) actions().quit();
}

void Shell::defaultOpenFolder(const QString& path) {
    if (QFileInfo(path).isDir()) FileManager::show(path);
}

void Shell::defaultQuit() {
    QCoreApplication::quit();
}

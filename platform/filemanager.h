#pragma once

#include <QDBusConnection>
#include <QString>

// Shows files and folders in the desktop's own file manager.
namespace FileManager {

// Opens a folder, or a file's folder with the file selected. Returns at once:
// the file manager is asked over `bus`, and when none answers the folder goes
// to the desktop's default handler instead. A path that does not exist shows
// nothing.
void show(const QString& path, const QDBusConnection& bus = QDBusConnection::sessionBus());

} // namespace FileManager

#include "filemanager.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace FileManager {

namespace {

const QString service = QStringLiteral("org.freedesktop.FileManager1");
const QString objectPath = QStringLiteral("/org/freedesktop/FileManager1");

void openFolder(const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder + u'/'));
}

} // namespace

void show(const QString& path, const QDBusConnection& bus) {
    const QFileInfo info(path);
    if (!info.exists()) return;
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
#if defined(Q_OS_MACOS)
    Q_UNUSED(bus);
    openFolder(folder);
#else
    if (!bus.isConnected()) {
        openFolder(folder);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, service,
                                                       info.isDir() ? QStringLiteral("ShowFolders")
                                                                    : QStringLiteral("ShowItems"));
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    call << QStringList{QString::fromUtf8(url.toEncoded())} << QString();
    // Asynchronous: a file manager that is slow to start must not freeze the panel.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [folder](QDBusPendingCallWatcher* done) {
                         done->deleteLater();
                         if (done->isError()) openFolder(folder);
                     });
#endif
}

} // namespace FileManager

#include "userfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace UserFolders {

QString path(const QString& name) {
    static const QHash<QString, QStandardPaths::StandardLocation> locations = {
        {desktop, QStandardPaths::DesktopLocation},
        {downloads, QStandardPaths::DownloadLocation},
        {documents, QStandardPaths::DocumentsLocation},
        {pictures, QStandardPaths::PicturesLocation},
        {movies, QStandardPaths::MoviesLocation},
        {music, QStandardPaths::MusicLocation}};
    const auto location = locations.constFind(name);
    const QString found =
        location == locations.cend() ? QString() : QStandardPaths::writableLocation(*location);
    return QDir::cleanPath(found.isEmpty() ? QDir::homePath() + QLatin1Char('/') + name : found);
}

std::optional<QString> walkable(const QString& name) {
    const QString folder = path(name);
    const QString home = QDir::cleanPath(QDir::homePath());
    const bool homeOrAbove = folder == home || folder == QStringLiteral("/") ||
                             home.startsWith(folder + QLatin1Char('/'));
    if (homeOrAbove) return std::nullopt;
    return folder;
}

QStringList roots(const QStringList& names) {
    QStringList out;
    for (const QString& name : names)
        if (const std::optional<QString> folder = walkable(name); folder && !out.contains(*folder))
            out.append(*folder);
    return out;
}

QString displayName(const QString& name) {
    const std::optional<QString> folder = walkable(name);
    return folder ? QFileInfo(*folder).fileName() : name;
}

} // namespace UserFolders

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The folders a profile names, as this desktop places them. A profile stores
// a folder by name relative to the home folder; the well-known names below
// follow the user's own folder settings (~/.config/user-dirs.dirs), so on a
// French desktop "Downloads" is ~/Téléchargements.
namespace UserFolders {

inline const QString desktop = QStringLiteral("Desktop");
inline const QString downloads = QStringLiteral("Downloads");
inline const QString documents = QStringLiteral("Documents");
inline const QString pictures = QStringLiteral("Pictures");
inline const QString movies = QStringLiteral("Movies");
inline const QString music = QStringLiteral("Music");
// The folders offered for sorting, in the order they are shown.
inline const QStringList offered = {desktop, downloads, documents, pictures, movies};

// A well-known name through the desktop's settings; any other name below the
// home folder.
QString path(const QString& name);

// path(), unless that is the home folder or above it: the desktop disables a
// well-known folder by pointing it at home, and listing home would offer
// every folder in it, Documents included, to be filed away.
std::optional<QString> walkable(const QString& name);

// The walkable folders of these names, each once, in order: two names may
// point at the same folder.
QStringList roots(const QStringList& names);

// What the user calls the folder: the last part of its path, or the name
// itself when the folder is disabled.
QString displayName(const QString& name);

} // namespace UserFolders

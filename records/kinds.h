#pragma once

#include "records.h"

#include <QHash>
#include <QSet>
#include <QString>

// File kinds from the path extension alone. The tables are built once and
// shared read-only.
namespace Kinds {

const QHash<QString, FileKind>& map();
const QSet<QString>& bundleExtensions();
const QSet<FileKind>& hardProtected();

// Lower-cased text after the last dot of the last path component; empty when
// there is none.
QString extension(const QString& pathOrName);

FileKind kind(const QString& path, bool isDir);
inline FileKind kind(const QUrl& url, bool isDir) { return kind(url.path(), isDir); }

} // namespace Kinds

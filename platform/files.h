#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Small file layer shared by every writer, so that atomicity and private
// permissions are decided in one place.
namespace Files {

enum class Access { normal, ownerOnly };

// Writes to a fresh temporary file beside path (created with the final
// permissions, so a private file is never readable by others even briefly),
// flushes it, and renames it over path. On any failure the old file stays and
// false is returned.
bool writeAtomic(const QString& path, const QByteArray& bytes, Access access = Access::normal);

// Reads a whole file of at most maxBytes; nothing when missing, unreadable
// or larger, so a huge or hostile data file never costs unbounded memory.
std::optional<QByteArray> readSmall(const QString& path, qint64 maxBytes = 64 * 1024 * 1024);

} // namespace Files

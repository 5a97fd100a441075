#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Xattr {

// The value of one extended attribute, or nothing when absent, empty or
// unreadable. Asks for the size first and reads exactly that many bytes.
std::optional<QByteArray> read(const QString& path, const char* name);

// Sets an attribute; used by tests and demos to mimic a browser download.
bool write(const QString& path, const char* name, const QByteArray& value);

} // namespace Xattr

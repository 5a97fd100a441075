#include "xattr.h"

#include <QFile>

#include <sys/xattr.h>

namespace Xattr {

std::optional<QByteArray> read(const QString& path, const char* name) {
    const QByteArray file = QFile::encodeName(path);
#if defined(Q_OS_MACOS)
    const ssize_t size = ::getxattr(file.constData(), name, nullptr, 0, 0, 0);
#else
    const ssize_t size = ::getxattr(file.constData(), name, nullptr, 0);
#endif
    if (size <= 0 || size > 1024 * 1024)
        return std::nullopt;
    QByteArray value(size, Qt::Uninitialized);
#if defined(Q_OS_MACOS)
    const ssize_t got = ::getxattr(file.constData(), name, value.data(), value.size(), 0, 0);
#else
    const ssize_t got = ::getxattr(file.constData(), name, value.data(), value.size());
#endif
    if (got != size)
        return std::nullopt;
    return value;
}

bool write(const QString& path, const char* name, const QByteArray& value) {
    const QByteArray file = QFile::encodeName(path);
#if defined(Q_OS_MACOS)
    return ::setxattr(file.constData(), name, value.constData(), value.size(), 0, 0) == 0;
#else
    return ::setxattr(file.constData(), name, value.constData(), value.size(), 0) == 0;
#endif
}

} // namespace Xattr

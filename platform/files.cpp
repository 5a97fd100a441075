#include "files.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace Files {

namespace {

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

QByteArray temporaryName(const QByteArray& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return target + ".tmp-" + QByteArray::number(static_cast<qulonglong>(random()), 36);
}

// Makes the rename itself durable, so a power cut cannot bring back the old file.
void syncFolderOf(const QByteArray& target) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArray(".")
                              : slash == 0 ? QByteArray("/")
                                           : target.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool writeAtomic(const QString& path, const QByteArray& bytes, Access access) {
    const QByteArray target = QFile::encodeName(path);
    // Created with its final mode: the umask can only narrow 600, never widen it.
    const mode_t mode = access == Access::ownerOnly ? 0600 : 0666;
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temp = temporaryName(target);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    syncFolderOf(target);
    return true;
}

std::optional<QByteArray> readSmall(const QString& path, qint64 maxBytes) {
    // Non-blocking open and a regular-file check: a FIFO or device planted
    // under a data file's name must not hang or flood the reader.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char buffer[64 * 1024];
    bool ok = true;
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        // The file may grow while it is read; the bound still holds.
        if (bytes.size() + n > maxBytes) {
            ok = false;
            break;
        }
        bytes.append(buffer, n);
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return bytes;
}

} // namespace Files

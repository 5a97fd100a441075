#include "movefile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <vector>

namespace MoveFile {

namespace {

constexpr int attempts = 1000;

enum class Result { moved, taken, crossDevice, failed };

QByteArray raw(const QString& path) {
    return QFile::encodeName(path);
}

Result fromErrno() {
    if (errno == EEXIST || errno == ENOTEMPTY) return Result::taken;
    if (errno == EXDEV) return Result::crossDevice;
    return Result::failed;
}

// Where the file system has no no-replace rename: a hard link for files (it
// refuses an existing name), and for folders a reserved empty folder that
// only an empty folder of our own can replace.
Result renameFallback(const QByteArray& src, const QByteArray& dst, bool isDir) {
    if (!isDir) {
        if (::link(src.constData(), dst.constData()) != 0) return fromErrno();
        if (::unlink(src.constData()) != 0) {
            ::unlink(dst.constData());
            return Result::failed;
        }
        return Result::moved;
    }
    if (::mkdir(dst.constData(), 0700) != 0) return fromErrno();
    if (::rename(src.constData(), dst.constData()) != 0) {
        const Result result = fromErrno();
        ::rmdir(dst.constData());
        return result == Result::taken ? Result::failed : result;
    }
    return Result::moved;
}

Result renameNoReplace(const QByteArray& src, const QByteArray& dst, bool isDir) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE) == 0)
        return Result::moved;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return fromErrno();
#endif
    return renameFallback(src, dst, isDir);
}

void copyXattrs(int from, int to) {
    const ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size <= 0) return;
    std::vector<char> names(static_cast<size_t>(size));
    const ssize_t got = ::flistxattr(from, names.data(), names.size());
    for (ssize_t at = 0; at < got; at += ssize_t(std::strlen(names.data() + at)) + 1) {
        const char* name = names.data() + at;
        const ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        if (length < 0) continue;
        std::vector<char> value(static_cast<size_t>(length));
        const ssize_t read = ::fgetxattr(from, name, value.data(), value.size());
        if (read >= 0) ::fsetxattr(to, name, value.data(), size_t(read), 0);
    }
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += put;
        size -= size_t(put);
    }
    return true;
}

// `created` tells whether dst itself was made by us, so a failure may remove it.
bool copyTree(const QByteArray& src, const QByteArray& dst, bool& created, Result& why);

bool copyFile(const QByteArray& src, const QByteArray& dst, const struct stat& st, bool& created,
              Result& why) {
    const int in = ::open(src.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (in < 0) return false;
    const int out = ::open(dst.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        why = fromErrno();
        ::close(in);
        return false;
    }
    created = true;
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!writeAll(out, buffer.data(), size_t(got))) {
            ok = false;
            break;
        }
    }
    if (ok) {
        copyXattrs(in, out);
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ok = ::fchmod(out, st.st_mode & 07777) == 0 && ::futimens(out, times) == 0 &&
             ::fsync(out) == 0;
    }
    ::close(in);
    ok = ::close(out) == 0 && ok;
    return ok;
}

bool copyDir(const QByteArray& src, const QByteArray& dst, const struct stat& st, bool& created,
             Result& why) {
    if (::mkdir(dst.constData(), 0700) != 0) {
        why = fromErrno();
        return false;
    }
    created = true;
    DIR* dir = ::opendir(src.constData());
    if (!dir) return false;
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") continue;
        bool inner = false;
        Result ignored = Result::failed;
        if (!copyTree(src + '/' + name, dst + '/' + name, inner, ignored)) {
            ok = false;
            break;
        }
    }
    ::closedir(dir);
    if (!ok) return false;
    const int from = ::open(src.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int to = ::open(dst.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (from >= 0 && to >= 0) {
        copyXattrs(from, to);
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ok =
            ::fchmod(to, st.st_mode & 07777) == 0 && ::futimens(to, times) == 0 && ::fsync(to) == 0;
    } else {
        ok = false;
    }
    if (from >= 0) ::close(from);
    if (to >= 0) ::close(to);
    return ok;
}

bool copyTree(const QByteArray& src, const QByteArray& dst, bool& created, Result& why) {
    struct stat st;
    if (::lstat(src.constData(), &st) != 0) return false;
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(size_t(st.st_size) + 1);
        const ssize_t length = ::readlink(src.constData(), target.data(), target.size());
        if (length < 0 || size_t(length) >= target.size()) return false;
        target[size_t(length)] = '\0';
        if (::symlink(target.data(), dst.constData()) != 0) {
            why = fromErrno();
            return false;
        }
        created = true;
        return true;
    }
    if (S_ISDIR(st.st_mode)) return copyDir(src, dst, st, created, why);
    if (S_ISREG(st.st_mode)) return copyFile(src, dst, st, created, why);
    return false; // devices, sockets and pipes are not carried across
}

// Removes a tree without following symbolic links.
bool removeTree(const QByteArray& path) {
    struct stat st;
    if (::lstat(path.constData(), &st) != 0) return errno == ENOENT;
    if (!S_ISDIR(st.st_mode)) return ::unlink(path.constData()) == 0;
    bool ok = true;
    if (DIR* dir = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..") ok = removeTree(path + '/' + name) && ok;
        }
        ::closedir(dir);
    }
    return ::rmdir(path.constData()) == 0 && ok;
}

void syncParent(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray parent = slash > 0 ? path.left(slash) : QByteArray("/");
    const int fd = ::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

Result copyAcross(const QByteArray& src, const QByteArray& dst) {
    Result why = Result::failed;
    bool created = false;
    if (!copyTree(src, dst, created, why)) {
        // Only a target we created ourselves (exclusively) is ours to remove.
        if (created) removeTree(dst);
        return why == Result::taken ? Result::taken : Result::failed;
    }
    syncParent(dst);
    removeTree(src);
    return Result::moved;
}

// Whether the first `size` bytes of both files are the same.
bool samePrefix(const QByteArray& a, const QByteArray& b, off_t size) {
    const int fa = ::open(a.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const int fb = ::open(b.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    bool same = fa >= 0 && fb >= 0;
    std::vector<char> ba(1 << 16), bb(1 << 16);
    for (off_t at = 0; same && at < size;) {
        const size_t want = size_t(std::min<off_t>(size - at, off_t(ba.size())));
        const ssize_t ga = ::pread(fa, ba.data(), want, at);
        const ssize_t gb = ::pread(fb, bb.data(), want, at);
        same = ga > 0 && ga == gb && std::memcmp(ba.data(), bb.data(), size_t(ga)) == 0;
        at += same ? ga : 0;
    }
    if (fa >= 0) ::close(fa);
    if (fb >= 0) ::close(fb);
    return same;
}

// Whether dst holds nothing but the start of a copy of src.
bool startOfCopy(const QByteArray& src, const QByteArray& dst) {
    struct stat s, d;
    if (::lstat(src.constData(), &s) != 0 || ::lstat(dst.constData(), &d) != 0) return false;
    if ((s.st_mode & S_IFMT) != (d.st_mode & S_IFMT)) return false;
    if (S_ISREG(d.st_mode)) return d.st_size <= s.st_size && samePrefix(src, dst, d.st_size);
    if (S_ISLNK(d.st_mode)) {
        char a[PATH_MAX], b[PATH_MAX];
        const ssize_t la = ::readlink(src.constData(), a, sizeof a);
        const ssize_t lb = ::readlink(dst.constData(), b, sizeof b);
        return la >= 0 && la == lb && std::memcmp(a, b, size_t(la)) == 0;
    }
    if (!S_ISDIR(d.st_mode)) return false;
    DIR* dir = ::opendir(dst.constData());
    if (!dir) return false;
    bool subset = true;
    while (subset) {
        const dirent* entry = ::readdir(dir);
        if (!entry) break;
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") subset = startOfCopy(src + '/' + name, dst + '/' + name);
    }
    ::closedir(dir);
    return subset;
}

} // namespace

std::optional<QString> move(const QString& src, const Candidate& candidate) {
    struct stat st;
    const QByteArray from = raw(src);
    if (::lstat(from.constData(), &st) != 0) return std::nullopt;
    const bool isDir = S_ISDIR(st.st_mode);
    bool across = false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const QString target = candidate(attempt);
        if (target.isEmpty()) return std::nullopt;
        const QByteArray to = raw(target);
        Result result = across ? Result::crossDevice : renameNoReplace(from, to, isDir);
        if (result == Result::crossDevice) {
            across = true;
            result = copyAcross(from, to);
        }
        if (result == Result::moved) return target;
        if (result != Result::taken) return std::nullopt;
    }
    return std::nullopt;
}

bool discardUnfinishedCopy(const QString& src, const QString& dst, const QDateTime& attempted) {
    const QByteArray from = QFile::encodeName(src), to = QFile::encodeName(dst);
    struct statx born;
    if (::statx(AT_FDCWD, to.constData(), AT_SYMLINK_NOFOLLOW, STATX_BTIME, &born) != 0 ||
        !(born.stx_mask & STATX_BTIME))
        return false;
    // File times come from a coarser clock than the journal's; a second of
    // slack still tells our copy from a file that was there before.
    const qint64 bornMs = qint64(born.stx_btime.tv_sec) * 1000 + born.stx_btime.tv_nsec / 1'000'000;
    if (bornMs < attempted.toMSecsSinceEpoch() - 1000) return false;
    return startOfCopy(from, to) && removeTree(to);
}

} // namespace MoveFile

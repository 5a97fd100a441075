#include "scanner.h"
#include "scanner_p.h"
#include "userfolders.h"
#include "vocabulary.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QThread>

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace Scanner {

namespace {

constexpr qint64 tinyAskedBelow = 8192;
constexpr qint64 chunk = 1'048'576;
constexpr qint64 sampleBytes = 4'000'000;
constexpr qint64 prefixBytes = 65'536;

struct Fd {
    int fd = -1;
    explicit Fd(int fd) : fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

// Non-blocking, so a file swapped for a pipe after it was listed cannot hang
// the scan; it only has no effect on regular files.
int openRead(const QString& path) {
    return ::open(QFile::encodeName(path).constData(),
                  O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

QString stripLastExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

struct HashState {
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    HashState() { EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr); }
    HashState(const HashState&) = delete;
    HashState& operator=(const HashState&) = delete;
    ~HashState() { EVP_MD_CTX_free(ctx); }
    void feed(const void* data, size_t size) { EVP_DigestUpdate(ctx, data, size); }
    QString hex() {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        EVP_DigestFinal_ex(ctx, digest, &length);
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex());
    }
};

// Feeds up to `count` bytes from `offset`; false when reading failed.
bool feedRange(int fd, HashState& hash, std::vector<char>& buffer, qint64 offset, qint64 count) {
    while (count > 0) {
        const ssize_t got = ::pread(fd, buffer.data(), size_t(std::min(count, chunk)), offset);
        if (got < 0) return false;
        if (got == 0) break;
        hash.feed(buffer.data(), size_t(got));
        offset += got;
        count -= got;
    }
    return true;
}

// A cheap first look: files that differ in their first block cannot share a
// full hash, so only the rest are read whole.
std::optional<QString> prefixHash(const QString& path) {
    const int fd = openRead(path);
    if (fd < 0) return std::nullopt;
    Fd guard(fd);
    std::vector<char> buffer(static_cast<std::size_t>(prefixBytes));
    HashState hash;
    if (!feedRange(fd, hash, buffer, 0, prefixBytes)) return std::nullopt;
    return hash.hex();
}

bool keepsFirst(const ScannedItem& a, const ScannedItem& b) {
    const bool aCopy = a.junkHints.contains(JunkHint::copyStyleName);
    const bool bCopy = b.junkHints.contains(JunkHint::copyStyleName);
    if (aCopy != bCopy) return !aCopy;
    if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
    return a.path() < b.path();
}

// Groups the indices by key, keeping only groups of two or more.
template <typename Key>
QList<QList<qsizetype>> groupsOf(const QList<qsizetype>& indices,
                                 const QHash<qsizetype, Key>& keys) {
    QHash<Key, QList<qsizetype>> grouped;
    for (qsizetype index : indices) {
        auto key = keys.constFind(index);
        if (key != keys.cend()) grouped[*key].append(index);
    }
    QList<QList<qsizetype>> out;
    for (auto& group : grouped)
        if (group.size() >= 2) out.append(group);
    return out;
}

// Hashing is I/O and CPU bound per file: both cores help on large sets.
QHash<qsizetype, QString> hashAll(const QList<ScannedItem>& items, const QList<qsizetype>& which,
                                  bool prefixOnly) {
    std::vector<std::optional<QString>> results(static_cast<std::size_t>(which.size()));
    inParallel(which.size(), [&](qsizetype at) {
        const ScannedItem& item = items.at(which.at(at));
        results[static_cast<std::size_t>(at)] = prefixOnly && item.size > prefixBytes
                                                    ? prefixHash(item.path())
                                                    : sha(item.path(), item.size);
    });
    QHash<qsizetype, QString> out;
    for (qsizetype at = 0; at < which.size(); ++at)
        if (const auto& hash = results[static_cast<std::size_t>(at)])
            out.insert(which.at(at), *hash);
    return out;
}

} // namespace

void inParallel(qsizetype count, const std::function<void(qsizetype)>& body) {
    std::atomic<qsizetype> next = 0;
    auto work = [&] {
        for (qsizetype at = next++; at < count; at = next++)
            body(at);
        OPENSSL_thread_stop();
    };
    const qsizetype threads =
        std::min<qsizetype>(std::clamp(QThread::idealThreadCount(), 1, 8), count);
    std::vector<std::jthread> workers;
    for (qsizetype i = 1; i < threads; ++i)
        workers.emplace_back(work);
    work();
}

QStringList hints(const ScannedItem& item) {
    static const QRegularExpression screenshot(
        QStringLiteral("^(screen ?shot|screenshot|screen recording|cleanshot)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression copyStyle(QStringLiteral("( \\(\\d+\\)| copy( \\d+)?)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    if (screenshot.match(item.name).hasMatch()) out.append(JunkHint::screenshotName);
    if (item.kind == FileKind::installer ||
        (item.kind == FileKind::bundle && item.ext == QLatin1String("app") &&
         item.path().startsWith(UserFolders::path(UserFolders::downloads) + QLatin1Char('/'))))
        out.append(JunkHint::installer);
    if (item.kind == FileKind::partial || browserDownload().match(item.name).hasMatch())
        out.append(JunkHint::partialDownload);
    if (!item.isDir && item.size == 0) out.append(JunkHint::emptyFile);
    if (item.kind == FileKind::archive) {
        const QString beside =
            QFileInfo(item.path()).path() + QLatin1Char('/') + stripLastExtension(item.name);
        if (QFileInfo(beside).isDir()) out.append(JunkHint::alreadyExtractedArchive);
    } else if (item.kind == FileKind::image && item.size >= 1 && item.size < tinyAskedBelow &&
               isTinyImage(item.path())) {
        out.append(JunkHint::tinyImage);
    }
    if (copyStyle.match(stripLastExtension(item.name)).hasMatch())
        out.append(JunkHint::copyStyleName);
    return out;
}

std::optional<QString> sha(const QString& path, qint64 size, qint64 wholeUpTo) {
    const int fd = openRead(path);
    if (fd < 0) return std::nullopt;
    Fd guard(fd);
    // Reads go in 1 MiB chunks; a small file needs no more buffer than its
    // size (and one byte to see the end), which keeps many small hashes cheap.
    const std::size_t capacity = std::size_t(std::clamp<qint64>(size + 1, 1, chunk));
    std::vector<char> buffer(capacity);
    HashState hash;
    if (size <= wholeUpTo) {
#ifdef POSIX_FADV_SEQUENTIAL
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
        for (;;) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got < 0) return std::nullopt;
            if (got == 0) break;
            hash.feed(buffer.data(), size_t(got));
            if (std::size_t(got) == buffer.size() && buffer.size() < std::size_t(chunk))
                buffer.resize(std::size_t(chunk)); // it grew since it was listed
        }
        return hash.hex();
    }
    unsigned char length[8];
    for (int i = 0; i < 8; ++i)
        length[i] = static_cast<unsigned char>(quint64(size) >> (8 * i));
    hash.feed(length, sizeof length);
    for (const qint64 offset : {qint64(0), size / 2, size - sampleBytes})
        feedRange(fd, hash, buffer, offset, sampleBytes);
    return hash.hex();
}

void markDuplicates(QList<ScannedItem>& items) {
    QHash<qsizetype, qint64> sizes;
    QList<qsizetype> candidates;
    for (qsizetype i = 0; i < items.size(); ++i)
        if (!items[i].isDir && items[i].size > 0) {
            sizes.insert(i, items[i].size);
            candidates.append(i);
        }

    QList<qsizetype> sameSize;
    for (const auto& group : groupsOf(candidates, sizes))
        sameSize += group;
    const QHash<qsizetype, QString> prefixes = hashAll(items, sameSize, true);

    // Keyed by size and first-block hash, so equal prefixes of different sizes
    // never meet.
    QHash<qsizetype, QString> firstKeys;
    for (auto it = prefixes.cbegin(); it != prefixes.cend(); ++it)
        firstKeys.insert(it.key(), QString::number(items[it.key()].size) + QLatin1Char(':') + *it);
    QList<qsizetype> samePrefix;
    for (const auto& group : groupsOf(sameSize, firstKeys))
        samePrefix += group;

    QHash<qsizetype, QString> full;
    for (qsizetype index : samePrefix)
        if (items[index].size <= prefixBytes)
            full.insert(index, prefixes.value(index)); // the prefix was the whole file
    QList<qsizetype> longer;
    for (qsizetype index : samePrefix)
        if (items[index].size > prefixBytes) longer.append(index);
    full.insert(hashAll(items, longer, false));

    QHash<qsizetype, QString> fullKeys;
    for (auto it = full.cbegin(); it != full.cend(); ++it)
        fullKeys.insert(it.key(), QString::number(items[it.key()].size) + QLatin1Char(':') + *it);
    for (auto it = full.cbegin(); it != full.cend(); ++it)
        if (items[it.key()].size <= wholeHashLimit) items[it.key()].sha256 = *it;
    for (QList<qsizetype> group : groupsOf(samePrefix, fullKeys)) {
        std::sort(group.begin(), group.end(),
                  [&](qsizetype a, qsizetype b) { return keepsFirst(items[a], items[b]); });
        for (qsizetype i = 1; i < group.size(); ++i)
            items[group[i]].junkHints.append(JunkHint::exactDuplicate);
    }
}

} // namespace Scanner

#include "scanner.h"

#include "kinds.h"
#include "thumbnails.h"
#include "vocabulary.h"
#include "xattr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QThread>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <poppler-qt6.h>
#include <zip.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Scanner {

const QSet<QString> skipDirNames = {".Trash", "Library",     "node_modules",
                                    ".cache", "__pycache__", "Photos Library.photoslibrary"};

const QSet<QString> appFolderNames = {"Adobe",
                                      "Microsoft",
                                      "Microsoft User Data",
                                      "Zoom",
                                      "Steam",
                                      "Blackmagic Design",
                                      "Native Instruments",
                                      "Image-Line",
                                      "Ableton",
                                      "Rockstar Games",
                                      "My Games",
                                      "Roblox",
                                      "Unreal Projects",
                                      "Final Cut Pro",
                                      "Motion Templates",
                                      "Motion Templates.localized",
                                      "Final Cut Backups",
                                      "Final Cut Backups.localized",
                                      "CapCut",
                                      "JianyingPro",
                                      "Loom",
                                      "Screen Studio Projects",
                                      "Xcode",
                                      "GitHub",
                                      "Arduino",
                                      "Processing",
                                      "Blender",
                                      "Electronic Arts",
                                      "League of Legends",
                                      "Riot Games",
                                      "Telegram Desktop",
                                      "WhatsApp",
                                      "Claude",
                                      "Cursor",
                                      "Figma",
                                      "OBS",
                                      "Logic",
                                      "GarageBand",
                                      "Audio Music Apps",
                                      "Avid",
                                      "Pro Tools",
                                      "Davinci Resolve",
                                      "DaVinci Resolve",
                                      "Parallels",
                                      "Virtual Machines",
                                      "VirtualBox VMs",
                                      "Docker",
                                      "Tovrin App",
                                      "Quillon",
                                      FolderLayout::review,
                                      "TV",
                                      "Music",
                                      "Lightroom",
                                      "Photo Booth Library"};

const QSet<QString> skipFileNames = {".DS_Store", ".localized", QStringLiteral("Icon\r"),
                                     ".com.apple.timemachine.donotpresent"};

const QStringList projectMarkers = {
    ".git",        "package.json", "Cargo.toml",        "pyproject.toml",
    "go.mod",      "foundry.toml", "hardhat.config.js", "hardhat.config.ts",
    "Anchor.toml", "Gemfile",      "requirements.txt",  "Package.swift"};

namespace {

constexpr qint64 largestSampled = 60'000'000;
constexpr qint64 textBytes = 6000;
constexpr int pdfPages = 3;
constexpr qint64 memberBytes = 300'000;
constexpr quint64 membersLooked = 10'000;
constexpr int cleanChars = 800;
constexpr int summaryKinds = 5;
constexpr int summaryNames = 25;
constexpr int tinyBelow = 65;
constexpr qint64 tinyAskedBelow = 8192;
constexpr qint64 wholeHashLimit = 500'000'000;
constexpr qint64 chunk = 1'048'576;
constexpr qint64 sampleBytes = 4'000'000;
constexpr qint64 prefixBytes = 65'536;
constexpr int reportEvery = 100;

#ifdef Q_OS_MACOS
constexpr const char* originAttribute = "com.apple.metadata:kMDItemWhereFroms";
#else
// Browsers on Linux store the download URL itself here.
constexpr const char* originAttribute = "user.xdg.origin.url";
#endif

const QRegularExpression& browserDownload() {
    static const QRegularExpression re(
        QStringLiteral("^\\.com\\.(brave\\.Browser|google\\.Chrome|microsoft\\.edgemac|apple\\."
                       "Safari)\\."),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QSet<QString>& textExtensions() {
    static const QSet<QString> set = {"txt", "md",  "markdown", "csv",  "tsv", "json", "html",
                                      "htm", "rtf", "yml",      "yaml", "svg", "sol"};
    return set;
}

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

bool isRegularFile(const QString& path) {
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString stripLastExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString fromUtf8Lossy(const QByteArray& bytes) {
    return QString::fromUtf8(bytes); // invalid sequences become U+FFFD
}

QDateTime modifiedOf(const struct stat& st) {
#ifdef Q_OS_MACOS
    const struct timespec& mtime = st.st_mtimespec;
#else
    const struct timespec& mtime = st.st_mtim;
#endif
    return QDateTime::fromMSecsSinceEpoch(qint64(mtime.tv_sec) * 1000 + mtime.tv_nsec / 1'000'000,
                                          Qt::UTC);
}

// Looked up by path below the folder, so a folder we may search but not list
// still shows its markers.
bool hasMarker(int dirFd, const QByteArray& name) {
    struct stat st;
    for (const QString& marker : projectMarkers) {
        const QByteArray path = name + '/' + QFile::encodeName(marker);
        if (::fstatat(dirFd, path.constData(), &st, 0) == 0) return true;
    }
    return false;
}

// Absolute, without "." and ".." parts or a trailing slash.
QString standardised(const QUrl& url) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(url.toLocalFile()));
}

bool isExcluded(const QString& path, const QStringList& excludes) {
    for (const QString& exclude : excludes)
        if (path == exclude || path.startsWith(exclude + QLatin1Char('/'))) return true;
    return false;
}

void silencePoppler() {
    static const bool once = [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
        return true;
    }();
    (void)once;
}

std::optional<QString> pdfText(const QString& path) {
    silencePoppler();
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    if (!doc) return std::nullopt;
    QString text;
    if (!doc->isLocked()) {
        const int pages = std::min(doc->numPages(), pdfPages);
        for (int i = 0; i < pages; ++i)
            if (std::unique_ptr<Poppler::Page> page = doc->page(i))
                text += QLatin1Char(' ') + page->text(QRectF());
    }
    return text;
}

// Reads from an open member until `bytes` holds `limit` bytes or the member
// ends; never trusts the declared size.
void readMember(zip_file_t* file, QByteArray& bytes, qint64 limit) {
    char buffer[16384];
    while (bytes.size() < limit) {
        const zip_int64_t got =
            zip_fread(file, buffer, std::min<zip_uint64_t>(sizeof buffer, limit - bytes.size()));
        if (got <= 0) break;
        bytes.append(buffer, qsizetype(got));
    }
}

bool memberMatches(const char* name, const QByteArray& member) {
    const qsizetype star = member.indexOf('*');
    const QByteArray entry(name);
    if (star < 0) return entry == member;
    const QByteArray head = member.left(star);
    const QByteArray tail = member.mid(star + 1);
    return entry.size() >= head.size() + tail.size() && entry.startsWith(head) &&
           entry.endsWith(tail);
}

quint64 littleEndian(const QByteArray& bytes, qsizetype at, int width) {
    quint64 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

// The entry count an archive declares in its end record (zip64 included), read
// before opening: the zip library keeps every central directory entry in
// memory, so an archive declaring a huge count costs memory before any check.
std::optional<quint64> declaredMembers(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 tail = std::min<qint64>(file.size(), 65'535 + 22);
    if (tail < 22 || !file.seek(file.size() - tail)) return std::nullopt;
    const QByteArray end = file.read(tail);
    const qsizetype record = end.lastIndexOf("PK\x05\x06");
    if (record < 0 || record + 22 > end.size()) return std::nullopt;
    const quint64 count = littleEndian(end, record + 10, 2);
    if (count != 0xffff || record < 20 || !end.mid(record - 20, 4).startsWith("PK\x06\x07"))
        return count;
    const quint64 at = littleEndian(end, record - 20 + 8, 8);
    if (at > quint64(file.size()) || !file.seek(qint64(at))) return std::nullopt;
    const QByteArray zip64 = file.read(56);
    if (zip64.size() < 56 || !zip64.startsWith("PK\x06\x06")) return std::nullopt;
    return littleEndian(zip64, 32, 8);
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

// Calls body(i) for every i below count, on this thread and on threads of our
// own joined before it returns, so that each can hand back its OpenSSL thread
// state as it ends (pool threads outlive the library's clean-up at exit and
// leak it).
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

// What is inside one listed item: the slow part of a scan, which runs on all
// cores once the listing is done.
void lookInside(ScannedItem& item) {
    const QString path = item.path();
    if (item.isDir) {
        if (item.kind == FileKind::folder) item.text = peek(path);
    } else {
        item.whereFrom = whereFrom(path);
        item.text = snippet(path, item.ext, item.size);
    }
    item.junkHints = hints(item);
}

struct Walk {
    const ScanOptions& options;
    const std::function<void(ScanProgress)>& progress;
    QStringList excludes;
    QList<ScannedItem> items;

    void report(int lookedInto = 0) const {
        if (progress) progress({int(items.size()), lookedInto});
    }

    void add(ScannedItem item) {
        item.id = items.size();
        items.append(std::move(item));
        if (items.size() % reportEvery == 0) report();
    }

    void entry(int dirFd, const QString& root, const char* raw) {
        const QByteArray rawName(raw);
        const QString name = QFile::decodeName(rawName);
        // A name that does not survive decoding could not be moved later.
        if (QFile::encodeName(name) != rawName) return;
        struct stat st;
        if (::fstatat(dirFd, raw, &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISLNK(st.st_mode)) return;
        const QString path = QDir::cleanPath(root + QLatin1Char('/') + name);
        const QDateTime modified = modifiedOf(st);
        const QString ext = Kinds::extension(name);
        const bool tooOld = options.since && modified < *options.since;

        ScannedItem item;
        item.url = QUrl::fromLocalFile(path);
        item.name = name;
        item.ext = ext;
        item.modified = modified;
        if (S_ISDIR(st.st_mode)) {
            if (skipDirNames.contains(name) || appFolderNames.contains(name) ||
                name.startsWith(QLatin1Char('.')) || isExcluded(path, excludes))
                return;
            if (tooOld) return;
            const bool special =
                Kinds::bundleExtensions().contains(ext) || hasMarker(dirFd, rawName);
            item.kind = special ? Kinds::kind(path, true) : FileKind::folder;
            item.isDir = true;
        } else {
            // Pipes, sockets and devices are no documents, and opening one can hang.
            if (!S_ISREG(st.st_mode)) return;
            if (skipFileNames.contains(name) || name.startsWith(QLatin1String("._"))) return;
            if (name.startsWith(QLatin1Char('.')) && !browserDownload().match(name).hasMatch())
                return;
            if (tooOld) return;
            item.size = qint64(st.st_size);
            item.kind = Kinds::map().value(ext, FileKind::other);
        }
        add(std::move(item));
    }

    void root(const QUrl& url) {
        const QString root = standardised(url);
        DIR* dir = ::opendir(QFile::encodeName(root).constData());
        if (!dir) return;
        const int fd = ::dirfd(dir);
        while (const dirent* ent = ::readdir(dir)) {
            if (std::strcmp(ent->d_name, ".") == 0 || std::strcmp(ent->d_name, "..") == 0) continue;
            entry(fd, root, ent->d_name);
        }
        ::closedir(dir);
    }
};

} // namespace

QList<ScannedItem> run(const ScanOptions& options,
                       const std::function<void(ScanProgress)>& progress) {
    Walk walk{options, progress, {}, {}};
    for (const QUrl& url : options.exclude)
        walk.excludes.append(standardised(url));
    for (const QUrl& root : options.roots)
        walk.root(root);
    walk.report();
    // Looking inside is the long part; its count is kept under a lock so the
    // reports go out one at a time and in order.
    ScannedItem* items = walk.items.data();
    const qsizetype found = walk.items.size();
    std::mutex counting;
    int lookedInto = 0;
    inParallel(found, [&](qsizetype at) {
        lookInside(items[at]);
        const std::lock_guard lock(counting);
        if (++lookedInto % reportEvery == 0 || lookedInto == found) walk.report(lookedInto);
    });
    markDuplicates(walk.items);
    return walk.items;
}

namespace {

// White space as "\s" matches it with Unicode properties: the ASCII controls
// tab to carriage return, and every separator.
bool isWhite(QChar c) {
    const char16_t u = c.unicode();
    if (u == u' ' || (u >= u'\t' && u <= u'\r')) return true;
    if (u < 0x80) return false;
    const QChar::Category category = c.category();
    return category == QChar::Separator_Space || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

} // namespace

// One pass with the meaning of replacing "<[^>]+>" by a space, collapsing
// "\s+" to one space and trimming; regular expressions cost ten times more
// on every sample.
QString clean(const QString& text) {
    QString out;
    out.reserve(std::min<qsizetype>(text.size(), 4 * cleanChars));
    bool pendingSpace = false;
    auto put = [&](QChar c) {
        if (isWhite(c)) {
            pendingSpace = true;
            return;
        }
        if (pendingSpace && !out.isEmpty()) out.append(QLatin1Char(' '));
        pendingSpace = false;
        out.append(c);
    };
    qsizetype nextClose = text.indexOf(QLatin1Char('>'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('<') && nextClose >= 0) {
            if (nextClose <= i) nextClose = text.indexOf(QLatin1Char('>'), i + 1);
            if (nextClose > i + 1) { // a tag holds at least one character
                pendingSpace = true;
                i = nextClose;
                nextClose = text.indexOf(QLatin1Char('>'), i + 1);
                continue;
            }
        }
        put(text[i]);
    }
    return leftChars(out, cleanChars);
}

std::optional<QString> unzip(const QString& path, const QString& member) {
    // Same result as printing the member with an unzip tool: nothing printed
    // (not a zip, no such member) is an empty text, not an absent one.
    // More members than any document holds: hostile, and read as printing nothing.
    if (!isRegularFile(path) || declaredMembers(path).value_or(0) > membersLooked) return QString();
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive) return QString();
    const QByteArray wanted = member.toUtf8();
    QByteArray bytes;
    const zip_int64_t count =
        std::min<zip_int64_t>(zip_get_num_entries(archive, 0), zip_int64_t(membersLooked));
    for (zip_int64_t i = 0; i < count && bytes.size() < memberBytes; ++i) {
        const char* name = zip_get_name(archive, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!name || !memberMatches(name, wanted)) continue;
        if (zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0)) {
            readMember(file, bytes, memberBytes);
            zip_fclose(file);
        }
    }
    zip_discard(archive);
    return fromUtf8Lossy(bytes);
}

std::optional<QString> snippet(const QString& path, const QString& ext, qint64 size) {
    if (size <= 0 || size >= largestSampled) return std::nullopt;
    // Readers below open by path and would wait forever on a pipe.
    if (!isRegularFile(path)) return std::nullopt;
    if (ext == QLatin1String("pdf")) {
        const std::optional<QString> text = pdfText(path);
        return text ? std::optional(clean(*text)) : std::nullopt;
    }
    if (textExtensions().contains(ext)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        return clean(fromUtf8Lossy(file.read(textBytes)));
    }
    static const QHash<QString, QString> members = {{"docx", "word/document.xml"},
                                                    {"pptx", "ppt/slides/slide*.xml"},
                                                    {"xlsx", "xl/sharedStrings.xml"}};
    const auto member = members.constFind(ext);
    if (member == members.cend()) return std::nullopt;
    const std::optional<QString> text = unzip(path, *member);
    if (!text) return std::nullopt;
    return clean(*text);
}

std::optional<QString> whereFrom(const QString& path) {
    const std::optional<QByteArray> value = Xattr::read(path, originAttribute);
    if (!value || value->isEmpty()) return std::nullopt;
#ifdef Q_OS_MACOS
    return firstOfStrings(*value);
#else
    return fromUtf8Lossy(*value);
#endif
}

std::optional<QString> firstOfStrings(const QByteArray& plist) {
    // bplist00: objects, an offset table, and a 32-byte trailer that points
    // at both. Every read is checked against the buffer.
    const auto* bytes = reinterpret_cast<const unsigned char*>(plist.constData());
    const quint64 length = quint64(plist.size());
    if (length < 40 || !plist.startsWith("bplist00")) return std::nullopt;
    auto number = [&](quint64 at, quint64 width) -> std::optional<quint64> {
        if (width == 0 || width > 8 || at > length || width > length - at) return std::nullopt;
        quint64 value = 0;
        for (quint64 i = 0; i < width; ++i)
            value = value << 8 | bytes[at + i];
        return value;
    };
    const quint64 trailer = length - 32;
    const quint64 offsetWidth = bytes[trailer + 6];
    const quint64 refWidth = bytes[trailer + 7];
    const auto count = number(trailer + 8, 8);
    const auto top = number(trailer + 16, 8);
    const auto table = number(trailer + 24, 8);
    if (!count || !top || !table || *top >= *count || *table >= trailer) return std::nullopt;
    if (offsetWidth < 1 || offsetWidth > 8 || refWidth < 1 || refWidth > 8) return std::nullopt;
    auto objectAt = [&](quint64 ref) -> std::optional<quint64> {
        if (ref >= *count || ref > length / offsetWidth) return std::nullopt;
        const auto at = number(*table + ref * offsetWidth, offsetWidth);
        if (!at || *at >= trailer) return std::nullopt;
        return at;
    };
    // Marker nibble 0xF means the count follows as an integer object.
    auto header = [&](quint64 at) -> std::optional<std::pair<quint64, quint64>> {
        const quint64 small = bytes[at] & 0x0f;
        if (small != 0x0f) return std::pair{small, at + 1};
        if (at + 1 >= trailer || (bytes[at + 1] & 0xf0) != 0x10) return std::nullopt;
        const quint64 width = quint64(1) << (bytes[at + 1] & 0x0f);
        const auto big = number(at + 2, width);
        if (!big) return std::nullopt;
        return std::pair{*big, at + 2 + width};
    };
    struct Span {
        int type;
        quint64 count, start;
    };
    // A string object (ASCII or UTF-16), checked to lie within the objects.
    auto stringAt = [&](quint64 ref) -> std::optional<Span> {
        const auto at = objectAt(ref);
        if (!at) return std::nullopt;
        const int type = bytes[*at] >> 4;
        const auto head = header(*at);
        if (!head || (type != 0x5 && type != 0x6)) return std::nullopt;
        const auto [chars, start] = *head;
        const quint64 width = type == 0x5 ? 1 : 2;
        if (start > trailer || chars > (trailer - start) / width) return std::nullopt;
        return Span{type, chars, start};
    };
    const auto array = objectAt(*top);
    if (!array || bytes[*array] >> 4 != 0xa) return std::nullopt;
    const auto head = header(*array);
    if (!head) return std::nullopt;
    const auto [members, start] = *head;
    if (members == 0 || start > trailer || members > (trailer - start) / refWidth)
        return std::nullopt;
    std::optional<Span> first;
    for (quint64 i = 0; i < members; ++i) {
        const auto ref = number(start + i * refWidth, refWidth);
        const auto text = ref ? stringAt(*ref) : std::nullopt;
        if (!text) return std::nullopt; // not a list of strings
        if (i == 0) first = text;
    }
    if (first->type == 0x5)
        return QString::fromLatin1(plist.constData() + first->start, qsizetype(first->count));
    QString text(qsizetype(first->count), Qt::Uninitialized);
    for (quint64 i = 0; i < first->count; ++i) {
        const quint64 at = first->start + 2 * i;
        text[qsizetype(i)] = QChar(char16_t(bytes[at] << 8 | bytes[at + 1]));
    }
    return text;
}

std::optional<QString> peek(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) return std::nullopt;
    QStringList names = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    names.removeIf([](const QString& name) { return name.startsWith(QLatin1Char('.')); });
    if (names.isEmpty()) return QStringLiteral("Empty folder");
    QHash<QString, int> kinds;
    for (const QString& name : names)
        ++kinds[toString(Kinds::map().value(Kinds::extension(name), FileKind::other))];
    QList<std::pair<QString, int>> counted(kinds.keyValueBegin(), kinds.keyValueEnd());
    std::sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    QStringList kindTexts;
    for (qsizetype i = 0; i < counted.size() && i < summaryKinds; ++i)
        kindTexts.append(QStringLiteral("%1 %2").arg(counted[i].second).arg(counted[i].first));
    std::sort(names.begin(), names.end());
    return QStringLiteral("Folder with %1 items (%2). Contents: %3")
        .arg(names.size())
        .arg(kindTexts.join(QStringLiteral(", ")), names.mid(0, summaryNames).join(" | "));
}

bool isTinyImage(const QString& path) {
    const std::optional<QSize> size = Thumbnails::pixelSize(path);
    return !size || std::max(size->width(), size->height()) < tinyBelow;
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
         item.path().contains(QLatin1String("/Downloads/"))))
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

std::optional<QString> sha(const QString& path, qint64 size) {
    const int fd = openRead(path);
    if (fd < 0) return std::nullopt;
    Fd guard(fd);
    // Reads go in 1 MiB chunks; a small file needs no more buffer than its
    // size (and one byte to see the end), which keeps many small hashes cheap.
    const std::size_t capacity = std::size_t(std::clamp<qint64>(size + 1, 1, chunk));
    std::vector<char> buffer(capacity);
    HashState hash;
    if (size <= wholeHashLimit) {
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
    for (QList<qsizetype> group : groupsOf(samePrefix, fullKeys)) {
        std::sort(group.begin(), group.end(),
                  [&](qsizetype a, qsizetype b) { return keepsFirst(items[a], items[b]); });
        for (qsizetype i = 1; i < group.size(); ++i)
            items[group[i]].junkHints.append(JunkHint::exactDuplicate);
    }
}

} // namespace Scanner

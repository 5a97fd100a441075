#include "kinds.h"
#include "scanner.h"
#include "scanner_p.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <mutex>

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
                                      FolderLayout::appFolder,
                                      FolderLayout::companionFolder,
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

constexpr int reportEvery = 100;

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
        const bool tooOld =
            options.since && modified < *options.since && !options.returned.contains(path);

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

const QRegularExpression& browserDownload() {
    static const QRegularExpression re(
        QStringLiteral("^\\.com\\.(brave\\.Browser|google\\.Chrome|microsoft\\.edgemac|apple\\."
                       "Safari)\\."),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

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

} // namespace Scanner

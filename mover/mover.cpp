#include "mover.h"

#include "files.h"
#include "history.h"
#include "json.h"
#include "kinds.h"
#include "movefile.h"
#include "store.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace Mover {

namespace {

constexpr int checkpointEvery = 20;

bool present(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// The path with every existing part resolved through symbolic links, so that
// a link inside the home base cannot carry files out of it.
QString resolved(const QString& path) {
    QString existing = QDir::cleanPath(path);
    QStringList rest;
    while (!QFileInfo::exists(existing) && existing != QLatin1String("/")) {
        rest.prepend(QFileInfo(existing).fileName());
        existing = QFileInfo(existing).path();
    }
    QString base = QFileInfo(existing).canonicalFilePath();
    if (base.isEmpty()) base = existing;
    return QDir::cleanPath(base + QLatin1Char('/') + rest.join(QLatin1Char('/')));
}

bool strictlyInside(const QString& path, const QString& folder) {
    return path.startsWith(folder + QLatin1Char('/'));
}

// Moving a folder to itself is as impossible as moving it below itself.
bool intoItself(const QString& destDir, const QString& folder) {
    return destDir == folder || strictlyInside(destDir, folder);
}

bool writeLogFile(const QList<MoveRecord>& records, const QString& path) {
    return Files::writeAtomic(path, Json::pretty(Json::encodeList(records)),
                              Files::Access::ownerOnly);
}

// The pretty log, byte for byte what Json::pretty gives for the whole list,
// grown in place: a checkpoint writes only the records since the last one
// and moves the closing bracket, instead of rewriting the whole list. A
// checkpoint torn by a crash is mended from the journal, which always holds
// at least as much.
class LogFile {
public:
    explicit LogFile(QString path) : path(std::move(path)) {}
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile() {
        if (fd >= 0) ::close(fd);
    }

    void append(const MoveRecord& record) {
        if (end > 0 || !pending.isEmpty()) pending += ",\n";
        const QByteArray object = Json::pretty(Json::encode(record)).trimmed();
        for (const QByteArray& line : object.split('\n'))
            pending += "    " + line + '\n';
        pending.chop(1);
    }

    bool checkpoint() {
        if (pending.isEmpty()) return fd >= 0;
        if (fd < 0)
            fd = ::open(QFile::encodeName(path).constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        const QByteArray head = end == 0 ? QByteArray("[\n") : QByteArray();
        if (!putAt(head + pending + "\n]\n", end)) return false;
        end += head.size() + pending.size();
        pending.clear();
        return true;
    }

    // The finished log, on the disk.
    bool close() {
        const bool ok = checkpoint() && ::fdatasync(fd) == 0;
        return (::close(std::exchange(fd, -1)) == 0) && ok;
    }

private:
    bool putAt(const QByteArray& bytes, off_t offset) {
        qsizetype written = 0;
        while (written < bytes.size()) {
            const ssize_t put = ::pwrite(fd, bytes.constData() + written,
                                         size_t(bytes.size() - written), offset + written);
            if (put <= 0) return false;
            written += put;
        }
        return true;
    }

    QString path;
    int fd = -1;
    off_t end = 0; // where the closing bracket starts
    QByteArray pending;
};

// One compact record per line, so a killed apply still leaves every
// completed move behind for undo. Before each attempt a line marked "?" names
// the intended move; after it succeeds the plain record follows. Only the
// last intent can still be open after an interruption, and the disk tells
// whether its move happened. A completed record goes out in the same write
// as the next intent, so it is always written before the next move starts.
class Journal {
public:
    explicit Journal(QString path) : path(std::move(path)) {}
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    ~Journal() {
        if (fd >= 0) ::close(fd);
    }

    bool open() {
        if (fd < 0)
            fd = ::open(QFile::encodeName(path).constData(),
                        O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        return fd >= 0;
    }

    // False when the intent is not on record: the move must not happen.
    bool intend(const MoveRecord& record) {
        add('?' + Json::compact(Json::encode(record)));
        return flush();
    }
    void done(const MoveRecord& record) { add(Json::compact(Json::encode(record))); }

    // Once it returns true, every line survives the process.
    bool flush() {
        if (pending.isEmpty()) return true;
        qsizetype written = 0;
        if (open())
            while (written < pending.size()) {
                const ssize_t put =
                    ::write(fd, pending.constData() + written, size_t(pending.size() - written));
                if (put <= 0) break;
                written += put;
            }
        const bool whole = written == pending.size();
        pending.clear();
        return whole;
    }

    void remove() {
        if (fd >= 0) ::close(fd);
        fd = -1;
        ::unlink(QFile::encodeName(path).constData());
    }

private:
    void add(const QByteArray& line) { pending += line + '\n'; }

    QString path;
    int fd = -1;
    QByteArray pending;
};

// The wanted name first, unchecked: the no-replace move itself reports a
// taken name, and only then is a free one looked for.
QString firstTry(const QString& wanted, int attempt) {
    return attempt == 0 ? wanted : freeURL(wanted);
}

std::optional<MoveRecord> recordFrom(const QByteArray& json) {
    const std::optional<QJsonValue> value = Json::parse(json);
    return value ? Json::decode<MoveRecord>(*value) : std::nullopt;
}

// What a journal says: the moves it closed, and the one it may have been
// cut off in the middle of.
struct JournalLines {
    QList<MoveRecord> records;
    std::optional<MoveRecord> open;
};

JournalLines journalLines(const QString& path) {
    JournalLines lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return lines;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!line.endsWith('\n')) break; // torn by the interruption
        const bool intent = line.startsWith('?');
        const std::optional<MoveRecord> record = recordFrom(line.mid(intent ? 1 : 0).trimmed());
        if (!record) continue; // a short write on a full disk; later lines still count
        if (intent) {
            lines.open = record;
        } else {
            lines.records.append(*record);
            lines.open.reset();
        }
    }
    return lines;
}

// A move cut off mid-copy across volumes leaves the start of a copy at its
// target while the original is still whole where it was.
void discardIfUnfinished(const MoveRecord& intent) {
    if (present(intent.from) && present(intent.to))
        MoveFile::discardUnfinishedCopy(intent.from, intent.to, intent.at);
}

// An undo keeps no log of its own: only its last move back can need mending.
void recoverUndo(const QString& log) {
    const QString path = undoJournalPath(log);
    if (const std::optional<MoveRecord> open = journalLines(path).open) discardIfUnfinished(*open);
    QFile::remove(path);
}

// Two applies within one second must not share a log: the later would
// replace the earlier and make it impossible to undo.
QString newLogPath(QDateTime start) {
    const QDir logs(Store::logsDir());
    for (;;) {
        const QString name = QStringLiteral("moves-") +
                             start.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) +
                             QStringLiteral(".json");
        const QString path = logs.filePath(name);
        if (!present(path) && !present(journalPath(path)) &&
            !present(logs.filePath(QStringLiteral("undone-") + name)))
            return path;
        start = start.addSecs(1);
    }
}

QString freeName(const QString& path, const std::function<bool(const QString&)>& taken) {
    if (!taken(path)) return path;
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    const QString dir = info.path() + QLatin1Char('/');
    for (qint64 n = 2;; ++n) {
        // The number must fit too: a name already at the limit gives up letters for it.
        const QString tail = QStringLiteral(" (%1)").arg(n) + ext;
        const QString candidate = dir + leftBytes(base, nameBytes - tail.toUtf8().size()) + tail;
        if (!taken(candidate)) return candidate;
    }
}

// Moves one file back to where the record says it came from, or beside that
// place when it is taken; journaled like the moves of an apply.
std::optional<QString> moveBack(const MoveRecord& record, Journal& journal,
                                QSet<QString>& madeDirs) {
    const QString folder = QFileInfo(record.from).path();
    if (!madeDirs.contains(folder)) {
        QDir().mkpath(folder);
        madeDirs.insert(folder);
    }
    const std::optional<QString> back = MoveFile::move(record.to, [&](int attempt) {
        const QString candidate = firstTry(record.from, attempt);
        journal.intend({record.to, candidate, QDateTime::currentDateTimeUtc()});
        return candidate;
    });
    if (back) journal.done({record.to, *back, QDateTime::currentDateTimeUtc()});
    return back;
}

QString logPath(const QString& log) {
    return QDir(Store::logsDir()).filePath(log);
}

// Undone logs stay beside the others under a name no undo takes again.
void markUndone(const QString& path) {
    const QFileInfo info(path);
    QFile::rename(path, info.path() + QStringLiteral("/undone-") + info.fileName());
}

// Where the files were that refreshes after `log` moved on and that were
// not put back since: those placements are the later refresh's to keep or
// undo.
QSet<QString> movedLater(const QString& log) {
    QSet<QString> places;
    const QDir logs(Store::logsDir());
    for (const QString& name :
         logs.entryList({QStringLiteral("moves-*.json")}, QDir::Files | QDir::CaseSensitive)) {
        if (name <= log) continue;
        const QStringList returned = History::putBack(name);
        for (const MoveRecord& record : readLog(logs.filePath(name)).value_or(QList<MoveRecord>()))
            if (!returned.contains(record.to)) places.insert(record.from);
    }
    return places;
}

// A file edited after the move; folders are left out, since moving one
// touches its own times.
bool changedSince(const QString& path, const QDateTime& movedAt) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           st.st_mtime > movedAt.toSecsSinceEpoch();
}

enum class Changed { stays, goes };

// The records walked last to first, as an undo goes, keeping track of the
// places the walk frees and fills, so a chain of moves reads as it will go.
QList<ReturnStep> returnSteps(const QList<MoveRecord>& records, const QSet<QString>& movedOn,
                              const QStringList& putBack, Changed changed) {
    const QSet<QString> returned(putBack.cbegin(), putBack.cend());
    QSet<QString> freed;
    QSet<QString> filled;
    const auto taken = [&](const QString& path) {
        return filled.contains(path) || (!freed.contains(path) && present(path));
    };
    QList<ReturnStep> steps;
    steps.reserve(records.size());
    for (auto record = records.crbegin(); record != records.crend(); ++record) {
        ReturnStep step{*record, Return::back, {}};
        if (returned.contains(record->to))
            step.outcome = Return::putBack;
        else if (movedOn.contains(record->to))
            step.outcome = Return::movedAgain;
        else if (!taken(record->to))
            step.outcome = Return::gone;
        else if (changed == Changed::stays && changedSince(record->to, record->at))
            step.outcome = Return::changed;
        if (step.outcome == Return::back) {
            step.back = freeName(record->from, taken);
            if (step.back != record->from) step.outcome = Return::besideTaken;
            freed.insert(record->to);
            filled.remove(record->to);
            filled.insert(step.back);
            freed.remove(step.back);
        }
        steps.append(step);
    }
    return steps;
}

} // namespace

std::optional<QList<MoveRecord>> readLog(const QString& path) {
    const std::optional<QByteArray> bytes = Files::readSmall(path);
    if (!bytes) return std::nullopt;
    const std::optional<QJsonValue> value = Json::parse(*bytes);
    return value ? Json::decodeList<MoveRecord>(*value) : std::nullopt;
}

QString freeURL(const QString& path) {
    return freeName(path, present);
}

void writeLog(const QList<MoveRecord>& records, const QString& path) {
    writeLogFile(records, path);
}

void recoverJournals() {
    const QDir logs(Store::logsDir());
    const QStringList journals =
        logs.entryList({QStringLiteral("moves-*.json.journal")}, QDir::Files | QDir::Hidden);
    for (const QString& name : journals) {
        const QString journal = logs.filePath(name);
        const QString log = journal.chopped(QStringLiteral(".journal").size());
        auto [records, open] = journalLines(journal);
        if (open && !present(open->from) && present(open->to))
            records.append(*open); // the move finished before the record was written
        else if (open)
            discardIfUnfinished(*open);
        const QList<MoveRecord> logged = readLog(log).value_or(QList<MoveRecord>());
        if (logged.size() > records.size()) records = logged;
        if (!records.isEmpty() && !writeLogFile(records, log))
            continue; // keep the journal until its moves are safely logged
        QFile::remove(journal);
    }
    for (const QString& name :
         logs.entryList({QStringLiteral("moves-*.json.undoing")}, QDir::Files | QDir::Hidden))
        recoverUndo(logs.filePath(name).chopped(QStringLiteral(".undoing").size()));
}

std::optional<ApplyResult> apply(const QList<PlanItem>& items, const QString& homeBase,
                                 bool includeRenames) {
    const QString home = QDir::cleanPath(homeBase);
    const QString realHome = resolved(home);
    const QString log = newLogPath(QDateTime::currentDateTime());
    Journal journal(journalPath(log));
    if (!journal.open()) return std::nullopt;
    LogFile text(log);
    QList<MoveRecord> moves;
    ApplyResult result;
    bool unrecorded = false; // once the journal takes no more, nothing else moves

    // Resolving a folder through links costs more than a move; plans send
    // thousands of files to the same few folders.
    QHash<QString, QString> resolvedDirs;
    QSet<QString> madeDirs;
    const auto resolvedDir = [&](const QString& dir) {
        auto known = resolvedDirs.constFind(dir);
        if (known == resolvedDirs.cend()) known = resolvedDirs.insert(dir, resolved(dir));
        return *known;
    };

    for (const PlanItem& item : items) {
        if (!item.approved) continue;
        if (unrecorded) {
            ++result.skipped;
            continue;
        }
        const QString src = QDir::cleanPath(item.src.toLocalFile());
        const QString destDir =
            QDir::cleanPath(home + QLatin1Char('/') + fitFolderNames(item.destFolder));
        struct stat st;
        // A pipe, socket or device named by an old plan is no file to tidy.
        const bool exists = !item.src.toLocalFile().isEmpty() &&
                            ::lstat(QFile::encodeName(src).constData(), &st) == 0 &&
                            (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode));
        const bool refused =
            (item.category == Category::junk && Kinds::hardProtected().contains(item.kind)) ||
            !exists || !strictlyInside(destDir, home) ||
            !strictlyInside(resolvedDir(destDir), realHome) ||
            (S_ISDIR(st.st_mode) && intoItself(resolvedDir(destDir), resolved(src)));
        if (refused) {
            ++result.skipped;
            continue;
        }
        const bool renaming =
            includeRenames && item.renameApproved && item.newName && isPlainName(*item.newName);
        const QString name = renaming ? *item.newName : QFileInfo(src).fileName();
        if (!madeDirs.contains(destDir)) {
            if (!QDir().mkpath(destDir) || !strictlyInside(resolved(destDir), realHome)) {
                ++result.skipped;
                continue;
            }
            madeDirs.insert(destDir);
        }
        const QString wanted = destDir + QLatin1Char('/') + name;
        const std::optional<QString> target = MoveFile::move(src, [&](int attempt) {
            const QString candidate = firstTry(wanted, attempt);
            unrecorded = !journal.intend({src, candidate, QDateTime::currentDateTimeUtc()});
            return unrecorded ? QString() : candidate;
        });
        if (!target) {
            ++result.skipped;
            continue;
        }
        const MoveRecord record{src, *target, QDateTime::currentDateTimeUtc()};
        text.append(record);
        journal.done(record);
        moves.append(record);
        ++result.moved;
        if (renaming) ++result.renamed;
        if (Category::isClearOut(item.category)) result.junkBytes += item.size;
        if (Category::isNeedsYou(item.category)) ++result.needsYou;
        // The journal line is safe from a killed process once written;
        // flushing to the disk happens once, when the log is complete.
        if (result.moved % checkpointEvery == 0) text.checkpoint();
    }
    journal.flush();
    // Intents of moves that all failed leave nothing to undo.
    if (result.moved == 0) {
        journal.remove();
    } else if (text.close()) {
        journal.remove();
        History::note(History::summary(QFileInfo(log).fileName(), moves));
    }
    if (unrecorded && result.moved == 0) return std::nullopt;
    return result;
}

int undoLatest() {
    recoverJournals();
    const std::optional<QString> log = Store::latestLog();
    if (!log) return 0;
    const std::optional<QList<MoveRecord>> records = readLog(*log);
    if (!records) return 0;
    // recoverJournals above has mended and removed any earlier undo's journal.
    Journal journal(undoJournalPath(*log));
    QStringList back;
    QSet<QString> madeDirs;
    for (auto record = records->crbegin(); record != records->crend(); ++record)
        if (present(record->to))
            if (const std::optional<QString> moved = moveBack(*record, journal, madeDirs))
                back.append(QDir::cleanPath(*moved));
    journal.remove();
    markUndone(*log);
    Store::addReturned(back);
    return int(back.size());
}

QList<ReturnStep> previewUndo(const QString& log) {
    const std::optional<QList<MoveRecord>> records = readLog(logPath(log));
    if (!records) return {};
    return returnSteps(*records, movedLater(log), History::putBack(log), Changed::stays);
}

UndoCounts undo(const QString& log) {
    recoverJournals();
    const QString path = logPath(log);
    const std::optional<QList<MoveRecord>> records = readLog(path);
    if (!records) return {};
    Journal journal(undoJournalPath(path));
    UndoCounts counts;
    QSet<QString> madeDirs;
    QStringList back;
    for (const ReturnStep& step :
         returnSteps(*records, movedLater(log), History::putBack(log), Changed::stays)) {
        if (step.outcome == Return::putBack) continue;
        const std::optional<QString> moved =
            goesBack(step.outcome) ? moveBack(step.move, journal, madeDirs) : std::nullopt;
        if (moved) {
            ++counts.restored;
            back.append(QDir::cleanPath(*moved));
        } else {
            ++counts.left;
        }
    }
    journal.remove();
    markUndone(path);
    Store::addReturned(back);
    return counts;
}

ReturnStep putBack(const QString& log, const QString& to) {
    recoverJournals();
    const QString path = logPath(log);
    const QList<MoveRecord> records = readLog(path).value_or(QList<MoveRecord>());
    // The last move that put something there is the one that left it there.
    const auto move = std::find_if(records.crbegin(), records.crend(),
                                   [&](const MoveRecord& record) { return record.to == to; });
    if (move == records.crend()) return {{{}, to, {}}, Return::gone, {}};
    ReturnStep step =
        returnSteps({*move}, movedLater(log), History::putBack(log), Changed::goes).first();
    if (!goesBack(step.outcome)) return step;
    Journal journal(undoJournalPath(path));
    QSet<QString> madeDirs;
    const std::optional<QString> back = moveBack(step.move, journal, madeDirs);
    journal.remove();
    if (!back) return {step.move, Return::gone, {}};
    History::notePutBack(log, to);
    Store::addReturned({QDir::cleanPath(*back)});
    step.back = *back;
    step.outcome = *back == step.move.from ? Return::back : Return::besideTaken;
    return step;
}

} // namespace Mover

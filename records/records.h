#pragma once

#include "userfolders.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QUuid>

#include <optional>

// The value records every subsystem passes around. Plain data; the few
// derived operations are pure functions of one record.

enum class FileKind {
    pdf,
    image,
    video,
    audio,
    design,
    doc,
    sheet,
    slides,
    archive,
    installer,
    code,
    font,
    partial,
    bundle,
    project,
    folder,
    other,
};

inline size_t qHash(FileKind kind, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(kind), seed);
}

QString toString(FileKind kind);
std::optional<FileKind> fileKindFromString(const QString& raw);

// The platform's distant past: what a file system that gives no date gets.
QDateTime distantPast();

struct ScannedItem {
    qint64 id = 0;
    QUrl url;
    QString name;
    QString ext;
    FileKind kind = FileKind::other;
    bool isDir = false;
    qint64 size = 0;
    QDateTime modified;
    std::optional<QString> text;
    std::optional<QString> whereFrom;
    QStringList junkHints;
    // SHA-256 of the content when the duplicate check read it whole.
    std::optional<QString> sha256;

    QString path() const { return url.toLocalFile(); }
    QString relPath() const;
    bool operator==(const ScannedItem&) const = default;
};

struct Decision {
    QString category;
    std::optional<QString> sub;
    QString confidence;
    std::optional<QString> newName;
    QString reason;
    std::optional<QString> projectHint;
    // A stand-in for an answer Claude refused with an error status.
    bool refused = false;

    bool operator==(const Decision&) const = default;
};

struct PlanItem {
    qint64 id = 0;
    QUrl src;
    QString destFolder;
    QString category;
    QString confidence;
    QString reason;
    std::optional<QString> newName;
    FileKind kind = FileKind::other;
    qint64 size = 0;
    bool approved = false;
    bool renameApproved = false;
    std::optional<QString> suggestedProject;
    // Decided while Claude refused the request: a plan holding one is not
    // worth restoring.
    bool refused = false;

    QString group() const;
    bool operator==(const PlanItem&) const = default;
};

struct ApplyResult {
    int moved = 0;
    int renamed = 0;
    qint64 junkBytes = 0;
    int needsYou = 0;
    int skipped = 0;

    bool operator==(const ApplyResult&) const = default;
};

struct Project {
    QUuid id = QUuid::createUuid();
    QString name;
    QString aliases;

    QString displayName() const;
    QString folderPath() const;
    QStringList terms() const;
    bool operator==(const Project&) const = default;
};

// A model server the user runs themselves, asked instead of Claude. Its
// models are smaller and slower, so fewer requests go out at once and each
// carries fewer files.
struct LocalModel {
    QString address = QStringLiteral("http://localhost:11434");
    QString filesModel;
    QString picturesModel; // one that reads images
    // Asked about the uncertain answers again; none skips the second look.
    std::optional<QString> secondLookModel;
    // Files travel to an address off this computer only once the user says so.
    bool trusted = false;
    int inFlight = 2;
    int textBatch = 20;
    int visualBatch = 10;

    // Never more than Claude is asked to take.
    static constexpr int maxInFlight = 6;
    static constexpr int maxTextBatch = 40;
    static constexpr int maxVisualBatch = 20;

    bool operator==(const LocalModel&) const = default;
};

struct Profile {
    bool onboarded = false;
    QList<Project> projects;
    bool renameFiles = true;
    bool keepInstallers = false;
    bool autoTidy = false;
    QString homeBase = defaultHomeBase();
    // Names relative to the home folder, as UserFolders resolves them.
    QStringList scanFolders = {UserFolders::desktop, UserFolders::downloads,
                               UserFolders::documents};
    QString model = QStringLiteral("claude-haiku-5-5");
    std::optional<QDateTime> lastRun;
    // US dollars; a refresh estimated above it waits for the user's go-ahead.
    // None: no limit.
    std::optional<double> costLimit;
    // None: Claude answers, as profiles written before there was a choice.
    std::optional<LocalModel> local;

    static QString defaultHomeBase();
    bool operator==(const Profile&) const = default;
};

struct Lesson {
    QString name;
    QString what;
    QString dest;

    bool operator==(const Lesson&) const = default;
};

struct MoveRecord {
    QString from;
    QString to;
    QDateTime at;

    bool operator==(const MoveRecord&) const = default;
};

// What undoing one move would do with its file, decided from the disk and
// from the refreshes that came after.
enum class Return {
    back,        // to the place it came from
    besideTaken, // its old place is taken: beside it, as "name (2)"
    movedAgain,  // a later refresh moved it on; that placement stands
    changed,     // modified since it was moved
    gone,        // nothing where the move put it
    putBack,     // already put back on its own
};

inline bool goesBack(Return outcome) {
    return outcome == Return::back || outcome == Return::besideTaken;
}

struct ReturnStep {
    MoveRecord move;
    Return outcome = Return::back;
    QString back; // where it goes; empty when it stays

    bool operator==(const ReturnStep&) const = default;
};

// One past apply as the history lists it, summed up once from its move log.
struct HistoryEntry {
    QString log; // the log's own name, "moves-<start>.json"
    int moved = 0;
    int renamed = 0;
    QString mainFolder; // where most of the files went
    bool readable = true;
    QStringList putBack; // where the files put back one at a time had been
    bool undone = false; // read from the log's name, never stored

    // The local time the apply started, from the log's name.
    QDateTime started() const;
    bool operator==(const HistoryEntry&) const = default;
};

// Trims spaces and tabs only (not line breaks), as the record rules ask.
QString trimSpacesTabs(const QString& text);

// Characters as a reader counts them: grapheme clusters, so a decomposed
// accent or an emoji sequence is one character and is never cut apart.
qsizetype charCount(const QString& text);
// The first n characters.
QString leftChars(const QString& text, qsizetype n);

// The most bytes the file system allows in one file or folder name (UTF-8).
constexpr qsizetype nameBytes = 255;
// The longest start of `text` whose UTF-8 fits `bytes`, cut between
// characters; inside the first one only when not even it fits.
QString leftBytes(const QString& text, qsizetype bytes);
// A relative folder path with every part cut to fit one name.
QString fitFolderNames(const QString& path);
// A name from the model or an edited plan that stays one entry inside its
// folder and that the file system takes: not empty, "." or "..", no slash or
// backslash, no control character, at most nameBytes.
bool isPlainName(const QString& name);

#pragma once

#include "records.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

struct ScanOptions {
    QList<QUrl> roots;   // listed one level deep, in this order
    QList<QUrl> exclude; // folders that never become items
    std::optional<QDateTime> since;
    // Clean absolute paths of entries an undo put back: wanted whatever their date.
    QSet<QString> returned;
};

// How far a scan has got: entries listed, and of those, entries looked into.
struct ScanProgress {
    int found = 0;
    int lookedInto = 0;
};

// Lists the direct contents of the scan folders, peeks into each entry and
// marks exact duplicates. Blocking: callers run it off the main thread.
namespace Scanner {

extern const QSet<QString> skipDirNames;
extern const QSet<QString> appFolderNames;
extern const QSet<QString> skipFileNames;
extern const QStringList projectMarkers;

// progress gets every multiple of 100 items listed and the final count, then
// every multiple of 100 items looked into and the last. It is called from
// worker threads, one call at a time, in order.
QList<ScannedItem> run(const ScanOptions& options,
                       const std::function<void(ScanProgress)>& progress);

// Content peek; every reader is bounded and gives nothing on any error.
std::optional<QString> snippet(const QString& path, const QString& ext, qint64 size);
QString clean(const QString& text);
std::optional<QString> unzip(const QString& path, const QString& member);
std::optional<QString> whereFrom(const QString& path);
// The first entry of a binary property list that holds a list of strings, as
// the macOS download-origin attribute does; nothing for any other list.
std::optional<QString> firstOfStrings(const QByteArray& plist);
std::optional<QString> peek(const QString& folder);
bool isTinyImage(const QString& path);

// Junk hints of one item, without "exact-duplicate".
QStringList hints(const ScannedItem& item);
void markDuplicates(QList<ScannedItem>& items);
inline constexpr qint64 wholeHashLimit = 500'000'000;
// SHA-256 as 64 lower-case hex digits; files over wholeUpTo bytes are sampled.
std::optional<QString> sha(const QString& path, qint64 size, qint64 wholeUpTo = wholeHashLimit);

// Calls body(i) for every i below count, on this thread and on threads of our
// own joined before it returns; each hands back its OpenSSL thread state as it
// ends (pool threads outlive the library's clean-up at exit and leak it), so
// hashing goes through here.
void inParallel(qsizetype count, const std::function<void(qsizetype)>& body);

} // namespace Scanner

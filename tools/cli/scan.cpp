// What a refresh would see in the scan folders: kind, size, junk hints and
// duplicates. Reads only; moves nothing.
#include "cli.h"

#include "appstate.h"
#include "format.h"
#include "json.h"
#include "scanner.h"
#include "store.h"
#include "userfolders.h"
#include "vocabulary.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

#include <unistd.h>

namespace {

QString column(const QString& text, int width) {
    if (text.size() > width) return text.left(width - 1) + QChar(0x2026);
    return text.leftJustified(width);
}

// Names with line breaks or tabs would break the one-line-per-item layout.
QString printable(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = QChar(0xfffd);
    return text;
}

// For each marked copy, the unmarked item it duplicates: the unmarked file of
// the same size and hash. Only sizes that hold a marked copy are hashed again.
QHash<qsizetype, qsizetype> keptCopies(const QList<ScannedItem>& items) {
    QHash<qint64, QList<qsizetype>> unmarked;
    QList<qsizetype> marked;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].isDir || items[i].size == 0) continue;
        if (items[i].junkHints.contains(JunkHint::exactDuplicate))
            marked.append(i);
        else
            unmarked[items[i].size].append(i);
    }
    QHash<qsizetype, QString> hashes;
    auto hashOf = [&](qsizetype i) {
        auto found = hashes.constFind(i);
        if (found == hashes.cend())
            found = hashes.insert(i, Scanner::sha(items[i].path(), items[i].size).value_or(""));
        return *found;
    };
    QHash<qsizetype, qsizetype> kept;
    for (qsizetype copy : marked) {
        const QString hash = hashOf(copy);
        if (hash.isEmpty()) continue;
        for (qsizetype candidate : unmarked.value(items[copy].size))
            if (hashOf(candidate) == hash) {
                kept.insert(copy, candidate);
                break;
            }
    }
    return kept;
}

ScanOptions optionsFor(const QStringList& folders) {
    ScanOptions options;
    if (folders.isEmpty()) {
        const Profile profile = Store::loadProfile().value_or(Profile{});
        for (const QString& root : UserFolders::roots(profile.scanFolders))
            options.roots.append(QUrl::fromLocalFile(root));
        options.exclude = organisedFolders(profile.homeBase);
        return options;
    }
    for (const QString& folder : folders) {
        if (!QFileInfo(folder).isDir()) {
            Cli::err() << "Not a folder, skipped: " << folder << '\n';
            continue;
        }
        options.roots.append(QUrl::fromLocalFile(QDir(folder).absolutePath()));
    }
    return options;
}

void printTable(const QList<ScannedItem>& items, const QHash<qsizetype, qsizetype>& kept) {
    QTextStream& out = Cli::out();
    qint64 total = 0, duplicateBytes = 0;
    int duplicates = 0;
    if (!items.isEmpty())
        out << column(QStringLiteral("KIND"), 10) << column(QStringLiteral("SIZE"), 11)
            << column(QStringLiteral("NAME"), 48) << "HINTS\n";
    for (qsizetype i = 0; i < items.size(); ++i) {
        const ScannedItem& item = items[i];
        total += item.size;
        QStringList notes = item.junkHints;
        if (notes.removeAll(JunkHint::exactDuplicate) > 0) {
            ++duplicates;
            duplicateBytes += item.size;
            const auto original = kept.constFind(i);
            notes.append(original == kept.cend()
                             ? QStringLiteral("exact duplicate")
                             : QStringLiteral("duplicate of ") + items[*original].relPath());
        }
        const QString size = item.isDir ? QStringLiteral("folder") : Format::fileSize(item.size);
        out << column(toString(item.kind), 10) << column(size, 11)
            << column(printable(item.name), 48) << printable(notes.join(QStringLiteral(", ")))
            << '\n';
    }
    out << (items.isEmpty() ? "" : "\n") << Format::count(items.size())
        << (items.size() == 1 ? " item" : " items") << ", " << Format::fileSize(total) << "; "
        << Format::count(duplicates) << (duplicates == 1 ? " exact duplicate" : " exact duplicates")
        << " (" << Format::fileSize(duplicateBytes) << ")\n";
}

QJsonArray encoded(const QList<ScannedItem>& items, const QHash<qsizetype, qsizetype>& kept) {
    QJsonArray array;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const ScannedItem& item = items[i];
        QJsonObject object{{"path", item.path()},
                           {"name", item.name},
                           {"kind", toString(item.kind)},
                           {"isDir", item.isDir},
                           {"size", item.size},
                           {"modified", Json::isoDate(item.modified)},
                           {"junkHints", QJsonArray::fromStringList(item.junkHints)}};
        if (item.whereFrom) object.insert("whereFrom", *item.whereFrom);
        if (const auto original = kept.constFind(i); original != kept.cend())
            object.insert("duplicateOf", items[*original].path());
        array.append(object);
    }
    return array;
}

} // namespace

namespace Cli {

Exit scan(const QStringList& folders, bool json) {
    const ScanOptions options = optionsFor(folders);
    if (options.roots.isEmpty()) {
        err() << "No folder to scan.\n";
        return failed;
    }
    const bool interactive = ::isatty(STDERR_FILENO);
    const QList<ScannedItem> items = Scanner::run(options, [&](ScanProgress p) {
        if (!interactive) return;
        err() << "\rScanning… " << Format::count(p.lookedInto) << " of " << Format::count(p.found)
              << " items" << Qt::flush;
    });
    if (interactive) err() << "\r\033[K" << Qt::flush;
    const QHash<qsizetype, qsizetype> kept = keptCopies(items);
    if (json)
        printJson(encoded(items, kept));
    else
        printTable(items, kept);
    return ok;
}

} // namespace Cli

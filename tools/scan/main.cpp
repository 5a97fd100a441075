// Lists what a refresh would see in the scan folders: kind, size, junk hints
// and duplicates. Reads only; moves nothing.
#include "scanner.h"
#include "userfolders.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QTextStream>

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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QLocale locale;

    ScanOptions options;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) args = UserFolders::roots({UserFolders::desktop, UserFolders::downloads});
    for (const QString& arg : args) {
        if (!QFileInfo(arg).isDir()) {
            err << "Not a folder, skipped: " << arg << '\n';
            continue;
        }
        options.roots.append(QUrl::fromLocalFile(QDir(arg).absolutePath()));
    }

    const bool interactive = ::isatty(STDERR_FILENO);
    const QList<ScannedItem> items = Scanner::run(options, [&](ScanProgress p) {
        if (!interactive) return;
        err << "\rScanning… " << locale.toString(p.lookedInto) << " of " << locale.toString(p.found)
            << " items" << Qt::flush;
    });
    if (interactive) err << "\r\033[K" << Qt::flush;
    const QHash<qsizetype, qsizetype> kept = keptCopies(items);

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
        const QString size =
            item.isDir ? QStringLiteral("folder") : locale.formattedDataSize(item.size);
        out << column(toString(item.kind), 10) << column(size, 11)
            << column(printable(item.name), 48) << printable(notes.join(QStringLiteral(", ")))
            << '\n';
    }
    out << (items.isEmpty() ? "" : "\n") << locale.toString(qsizetype(items.size()))
        << (items.size() == 1 ? " item" : " items") << ", " << locale.formattedDataSize(total)
        << "; " << locale.toString(duplicates)
        << (duplicates == 1 ? " exact duplicate" : " exact duplicates") << " ("
        << locale.formattedDataSize(duplicateBytes) << ")\n";
    return 0;
}

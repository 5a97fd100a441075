// Lists what a refresh would see in the scan folders: kind, size, junk hints
// and duplicates. Reads only; moves nothing.
#include "scanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTextStream>

#include <unistd.h>

namespace {

QString column(const QString& text, int width) {
    if (text.size() > width) return text.left(width - 1) + QChar(0x2026);
    return text.leftJustified(width);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QLocale locale;

    ScanOptions options;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        args = {QDir::homePath() + QStringLiteral("/Desktop"),
                QDir::homePath() + QStringLiteral("/Downloads")};
    for (const QString& arg : args)
        options.roots.append(QUrl::fromLocalFile(QDir(arg).absolutePath()));

    const bool interactive = ::isatty(STDERR_FILENO);
    const QList<ScannedItem> items = Scanner::run(options, [&](int count) {
        if (interactive) err << "\rScanning… " << locale.toString(count) << Qt::flush;
    });
    if (interactive) err << "\r\033[K" << Qt::flush;

    qint64 total = 0, duplicateBytes = 0;
    int duplicates = 0;
    out << column(QStringLiteral("KIND"), 10) << column(QStringLiteral("SIZE"), 11)
        << column(QStringLiteral("NAME"), 48) << "HINTS\n";
    for (const ScannedItem& item : items) {
        total += item.size;
        if (item.junkHints.contains(QLatin1String("exact-duplicate"))) {
            ++duplicates;
            duplicateBytes += item.size;
        }
        const QString size =
            item.isDir ? QStringLiteral("folder") : locale.formattedDataSize(item.size);
        out << column(toString(item.kind), 10) << column(size, 11) << column(item.name, 48)
            << item.junkHints.join(QStringLiteral(", ")) << '\n';
    }
    out << '\n'
        << locale.toString(qsizetype(items.size())) << " items in " << args.join(", ") << ", "
        << locale.formattedDataSize(total) << " in all; " << locale.toString(duplicates)
        << " exact duplicates (" << locale.formattedDataSize(duplicateBytes) << ").\n";
    return 0;
}

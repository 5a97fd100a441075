// Times a whole scan of the given folders, the duplicate pass on its own, and
// SHA-256 throughput over the given large files.
#include "resources.h"
#include "scanner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList roots, large;
    bool hashing = false;
    for (const QString& arg : app.arguments().mid(1)) {
        if (arg == QLatin1String("--sha"))
            hashing = true;
        else
            (hashing ? large : roots).append(arg);
    }

    if (!large.isEmpty()) {
        QElapsedTimer timer;
        timer.start();
        qint64 bytes = 0;
        for (const QString& path : large) {
            const qint64 size = QFileInfo(path).size();
            bytes += size;
            if (!Scanner::sha(path, size)) return 1;
        }
        std::printf("sha_seconds %.4f\nsha_bytes %lld\n", timer.nsecsElapsed() / 1e9,
                    static_cast<long long>(bytes));
        return 0;
    }

    ScanOptions options;
    for (const QString& root : roots)
        options.roots.append(QUrl::fromLocalFile(root));
    QElapsedTimer timer;
    timer.start();
    QList<ScannedItem> items = Scanner::run(options, {});
    const double total = timer.nsecsElapsed() / 1e9;

    int marked = 0;
    for (ScannedItem& item : items) {
        marked += item.junkHints.removeAll(QStringLiteral("exact-duplicate"));
    }
    timer.restart();
    Scanner::markDuplicates(items);
    const double duplicates = timer.nsecsElapsed() / 1e9;
    std::printf("items %lld\nduplicates %d\nscan_seconds %.4f\ndup_seconds %.4f\npeak_rss_kb %ld\n",
                static_cast<long long>(items.size()), marked, total, duplicates,
                Resources::peakRssKb());
    return 0;
}

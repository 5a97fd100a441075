// One contact sheet of every image in a folder, as a whole process, for
// the benchmark report: wall time of the sheet and the peak memory it added.
#include "contactsheet.h"
#include "resources.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet_bench IMAGE_DIR OUT.jpg\n");
        return 2;
    }
    QList<ScannedItem> items;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        ScannedItem item;
        item.id = items.size();
        item.url = QUrl::fromLocalFile(info.absoluteFilePath());
        item.name = info.fileName();
        item.ext = info.suffix().toLower();
        item.kind = FileKind::image;
        item.size = info.size();
        items.append(item);
    }
    // Fonts and image plugins load once per process; a refresh pays that
    // once, not per sheet.
    ContactSheet::render({}, {});
    const long before = Resources::peakRssKb();
    QElapsedTimer timer;
    timer.start();
    QFuture<std::optional<QByteArray>> sheet = ContactSheet::make(items);
    sheet.waitForFinished();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const long after = Resources::peakRssKb();
    const std::optional<QByteArray> jpeg = sheet.result();
    if (!jpeg) {
        std::fprintf(stderr, "no sheet\n");
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(*jpeg) != jpeg->size()) return 1;
    std::printf("items %lld\n", static_cast<long long>(items.size()));
    std::printf("sheet_seconds %.3f\n", seconds);
    std::printf("peak_kb_before %ld\n", before);
    std::printf("peak_kb_after %ld\n", after);
    std::printf("jpeg_bytes %lld\n", static_cast<long long>(jpeg->size()));
    return 0;
}

// Contact sheets of 20 camera-sized JPEGs: the whole sheet, the drawing and
// encoding alone, and one thumbnail. Peak memory is measured by
// contactsheet_bench in a process of its own (bench/report.sh): making the photos
// here already raises this one's peak.
#include "contactsheet.h"
#include "thumbnails.h"

#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Noise over a gradient, so the files are as hard to decode as photos.
struct Photos {
    QTemporaryDir dir;
    QList<ScannedItem> items;
    Photos() {
        QRandomGenerator random(7);
        for (int i = 0; i < 20; ++i) {
            QImage image(4000, 3000, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    const int noise = int(random.bounded(24u));
                    line[x] = qRgb((x / 16 + noise + i * 10) & 0xff, (y / 12 + noise) & 0xff,
                                   (i * 12 + noise) & 0xff);
                }
            }
            const QString path = dir.filePath(QStringLiteral("IMG_%1.jpg").arg(1000 + i));
            image.save(path, "JPG", 90);
            ScannedItem item;
            item.id = i;
            item.url = QUrl::fromLocalFile(path);
            item.name = QFileInfo(path).fileName();
            item.ext = QStringLiteral("jpg");
            item.kind = FileKind::image;
            items.append(item);
        }
    }
};

const Photos& photos() {
    static const Photos made;
    return made;
}

void BM_Sheet20(benchmark::State& state) {
    const QList<ScannedItem>& items = photos().items;
    for (auto _ : state) {
        auto sheet = ContactSheet::make(items);
        sheet.waitForFinished();
        benchmark::DoNotOptimize(sheet.result());
    }
}
BENCHMARK(BM_Sheet20)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Render20(benchmark::State& state) {
    QList<ScannedItem> items = photos().items;
    QList<std::optional<QImage>> images;
    for (const ScannedItem& item : items)
        images.append(Thumbnails::load(item.path(), QSize(250, 220)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ContactSheet::render(items, images));
}
BENCHMARK(BM_Render20)->Unit(benchmark::kMillisecond);

void BM_Thumbnail12MP(benchmark::State& state) {
    const QString path = photos().items.front().path();
    for (auto _ : state)
        benchmark::DoNotOptimize(Thumbnails::load(path, QSize(250, 220)));
}
BENCHMARK(BM_Thumbnail12MP)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    photos();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

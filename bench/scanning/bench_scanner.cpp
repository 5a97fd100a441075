// Per-call costs of the readers the walk runs for every item.
#include "kinds.h"
#include "scanner.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void cleanSample(benchmark::State& state) {
    QByteArray html;
    while (html.size() < 6000)
        html += "<p class=\"x\">Quarterly   report\n\n<b>draft</b></p>\t";
    const QString text = QString::fromUtf8(html.left(6000));
    for (auto _ : state)
        benchmark::DoNotOptimize(Scanner::clean(text));
}
BENCHMARK(cleanSample);

void hintsOfFile(benchmark::State& state) {
    ScannedItem item;
    item.name = QStringLiteral("Screenshot 2024-01-01 at 10.00.00 copy 2.pdf");
    item.url = QUrl::fromLocalFile(QStringLiteral("/home/u/Downloads/") + item.name);
    item.ext = QStringLiteral("pdf");
    item.kind = FileKind::pdf;
    item.size = 120'000;
    for (auto _ : state)
        benchmark::DoNotOptimize(Scanner::hints(item));
}
BENCHMARK(hintsOfFile);

void textSnippet(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/notes.txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("cannot write");
    file.write(QByteArray(50'000, 'w').replace(7, 1, " "));
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(Scanner::snippet(path, QStringLiteral("txt"), 50'000));
}
BENCHMARK(textSnippet);

void sha256(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/blob.bin");
    const qint64 size = state.range(0);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("cannot write");
    QByteArray block(1 << 20, '\0');
    for (qsizetype i = 0; i < block.size(); ++i)
        block[i] = char(i * 31 % 251);
    for (qint64 written = 0; written < size; written += block.size())
        file.write(block.left(qsizetype(std::min<qint64>(block.size(), size - written))));
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(Scanner::sha(path, size));
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(sha256)->Arg(4 << 10)->Arg(64 << 20);

} // namespace

BENCHMARK_MAIN();

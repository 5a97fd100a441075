// Applies a plan that moves every file under SRC into DEST_FOLDER of the home
// base, then undoes it; prints timings and the bytes each wrote for its logs
// and journal.
#include "mover.h"
#include "store.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

// Bytes this process has handed to write(2): only the logs and the journal,
// since moves within a volume are renames.
qint64 writtenBytes() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("wchar:")) return line.mid(6).trimmed().toLongLong();
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: mover_bench SRC HOME_BASE DEST_FOLDER\n");
        return 2;
    }
    const QString src = QString::fromLocal8Bit(argv[1]);
    const QString homeBase = QString::fromLocal8Bit(argv[2]);
    QList<PlanItem> plan;
    QDirIterator it(src, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        PlanItem item;
        item.src = QUrl::fromLocalFile(it.next());
        item.destFolder = QString::fromLocal8Bit(argv[3]);
        item.category = QStringLiteral("personal");
        item.confidence = QStringLiteral("high");
        item.approved = true;
        plan.append(item);
    }

    const qint64 before = writtenBytes();
    QElapsedTimer timer;
    timer.start();
    const ApplyResult result = Mover::apply(plan, homeBase, true).value();
    const double applySeconds = double(timer.nsecsElapsed()) / 1e9;
    const qint64 logBytes = writtenBytes() - before;
    const std::optional<QString> log = Store::latestLog();
    const qint64 finalLog = log ? QFileInfo(*log).size() : 0;

    const qint64 beforeUndo = writtenBytes();
    timer.restart();
    const int undone = Mover::undoLatest();
    const double undoSeconds = double(timer.nsecsElapsed()) / 1e9;
    const qint64 undoBytes = writtenBytes() - beforeUndo;

    std::printf("items %lld\nmoved %d\nskipped %d\nundone %d\n", qint64(plan.size()), result.moved,
                result.skipped, undone);
    std::printf("apply_seconds %.3f\nundo_seconds %.3f\n", applySeconds, undoSeconds);
    std::printf("log_bytes_written %lld\nfinal_log_bytes %lld\nundo_bytes_written %lld\n", logBytes,
                finalLog, undoBytes);
    return result.moved == plan.size() && undone == result.moved ? 0 : 1;
}

// Applies the saved plan, or undoes the latest apply; the reliability test
// kills it part-way through.
#include "mover.h"
#include "store.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    if (qstrcmp(argv[1], "undo") == 0) return Mover::undoLatest() >= 0 ? 0 : 1;
    const auto plan = Store::loadPlan();
    if (!plan || argc < 3) return 2;
    Mover::apply(*plan, QString::fromLocal8Bit(argv[2]), true);
    return 0;
}

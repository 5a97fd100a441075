// Applies the saved plan; the mover test kills it part-way through.
#include "mover.h"
#include "store.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto plan = Store::loadPlan();
    if (!plan || argc < 2) return 2;
    Mover::apply(*plan, QString::fromLocal8Bit(argv[1]), true);
    return 0;
}

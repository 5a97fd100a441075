// Applies the saved plan, undoes the latest apply, or ticks the saved plan's
// items one by one as a user would in review; the reliability test kills it
// part-way through.
#include "appstate.h"
#include "mover.h"
#include "store.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Prints the count after each tick. "quit" then ends as the application
// does; "stay" waits to be killed.
int tick(QCoreApplication& app, const char* after) {
    {
        AppState state;
        const QList<PlanItem> plan = state.plan();
        for (int i = 0; i < plan.size(); ++i) {
            state.toggle(plan[i].id);
            std::printf("%d\n", i + 1);
            std::fflush(stdout);
        }
        if (qstrcmp(after, "stay") == 0) return app.exec();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    if (qstrcmp(argv[1], "undo") == 0) return Mover::undoLatest() >= 0 ? 0 : 1;
    if (qstrcmp(argv[1], "tick") == 0 && argc >= 3) return tick(app, argv[2]);
    const auto plan = Store::loadPlan();
    if (!plan || argc < 3) return 2;
    Mover::apply(*plan, QString::fromLocal8Bit(argv[2]), true);
    return 0;
}

#include "plansaver.h"

#include "json.h"
#include "store.h"

#include <QFileInfo>

PlanSaver::PlanSaver() {
    // One writer: two could rename their files over each other out of order.
    pool_.setMaxThreadCount(1);
}

PlanSaver::~PlanSaver() {
    pool_.waitForDone();
}

void PlanSaver::save(const QList<PlanItem>& plan) {
    const QMutexLocker lock(&mutex_);
    newest_ = plan;
    if (writing_) return;
    writing_ = true;
    pool_.start([this] { writeNewest(); });
}

std::optional<QDateTime> PlanSaver::landed() const {
    const QMutexLocker lock(&mutex_);
    if (writing_) return std::nullopt;
    return landed_;
}

void PlanSaver::writeNewest() {
    while (true) {
        std::optional<QList<PlanItem>> plan;
        {
            const QMutexLocker lock(&mutex_);
            if (!newest_) {
                writing_ = false;
                return;
            }
            plan.swap(newest_);
        }
        const QByteArray json = Json::compactPlan(*plan);
        // Let go of the list before the slow part, so that an edit meanwhile
        // changes the plan without copying it.
        plan.reset();
        Store::savePlanJson(json);
        const QDateTime landed = QFileInfo(Store::planPath()).lastModified();
        const QMutexLocker lock(&mutex_);
        landed_ = landed;
    }
}

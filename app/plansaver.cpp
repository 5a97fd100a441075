#include "plansaver.h"

#include "json.h"
#include "store.h"

#include <QFileInfo>

PlanSaver::PlanSaver() {
    copier_.setMaxThreadCount(1);
    writer_.setMaxThreadCount(1);
}

PlanSaver::~PlanSaver() {
    copier_.waitForDone();
    writer_.waitForDone();
}

void PlanSaver::save(const QList<PlanItem>& plan) {
    std::optional<QList<PlanItem>> older;
    const QMutexLocker lock(&mutex_);
    older.swap(shared_);
    shared_ = plan;
    if (copying_) return;
    copying_ = true;
    copier_.start([this] { copyNewest(); });
}

void PlanSaver::reclaim() {
    std::optional<QList<PlanItem>> unsaved;
    const QMutexLocker lock(&mutex_);
    unsaved.swap(shared_);
}

std::optional<QDateTime> PlanSaver::landed() const {
    const QMutexLocker lock(&mutex_);
    if (copying_ || writing_) return std::nullopt;
    return landed_;
}

void PlanSaver::copyNewest() {
    while (true) {
        std::optional<QList<PlanItem>> plan;
        {
            const QMutexLocker lock(&mutex_);
            if (!shared_) {
                copying_ = false;
                return;
            }
            plan.swap(shared_);
        }
        plan->detach();
        std::optional<QList<PlanItem>> older;
        const QMutexLocker lock(&mutex_);
        // Freed outside the lock, here: older copies are the copier's to free.
        older.swap(copied_);
        copied_.swap(plan);
        if (!writing_) {
            writing_ = true;
            writer_.start([this] { writeNewest(); });
        }
    }
}

void PlanSaver::writeNewest() {
    while (true) {
        std::optional<QList<PlanItem>> plan;
        {
            const QMutexLocker lock(&mutex_);
            if (!copied_) {
                writing_ = false;
                return;
            }
            plan.swap(copied_);
        }
        const QByteArray json = Json::compactPlan(*plan);
        plan.reset();
        Store::savePlanJson(json);
        const QDateTime landed = QFileInfo(Store::planPath()).lastModified();
        const QMutexLocker lock(&mutex_);
        landed_ = landed;
    }
}

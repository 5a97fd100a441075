#include "appstate.h"
#include "appstate_p.h"
#include "userfolders.h"

#include <QDir>
#include <QtConcurrent>

using namespace AppStateDetail;

void NotificationHandler::attach(AppState* state, NotificationService* service) {
    state_ = state;
    if (!service) return;
    connect(service, &NotificationService::clicked, this, [this](const QString& id) {
        if (state_) state_->handleNotification(id);
    });
}

void AppState::onTick() {
    autoCheck();
    if (services_.notifications) notifier_.deliverDueReminder();
}

void AppState::autoCheck() {
    if (!profile_.autoTidy || !profile_.onboarded || phase_ != Phase::idle) return;
    const QDateTime current = now();
    if (!Schedule::isSundayFromNine(current)) return;
    if (profile_.lastRun && profile_.lastRun->toLocalTime().date() == current.toLocalTime().date())
        return;
    if (Schedule::takeAutoRunDay(services_.settingsPath, current)) start(Tidy::Mode::quick);
}

void AppState::refreshNewFiles() {
    const std::optional<QDateTime> since = profile_.lastRun;
    const QStringList folders = UserFolders::roots({UserFolders::desktop, UserFolders::downloads});
    whenDone(QtConcurrent::run([since, folders] {
                 int count = 0;
                 for (const QString& folder : folders) {
                     const QDir dir(folder);
                     const QFileInfoList entries =
                         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
                     for (const QFileInfo& entry : entries) {
                         if (!since) {
                             ++count;
                             continue;
                         }
                         const QDateTime modified = entry.lastModified();
                         if (modified.isValid() && modified > *since) ++count;
                     }
                 }
                 return count;
             }),
             this, [](AppState* s, int count) { s->setNewFiles(count); });
}

void AppState::handleNotification(const QString& id) {
    if (id == NotificationIds::costLimit) {
        if (paused()) open(QStringLiteral("menu"));
        return;
    }
    if (!plan_.isEmpty() && phase_ == Phase::review) {
        open(QStringLiteral("review"));
        return;
    }
    if (id == NotificationIds::sundayReminder) start(Tidy::Mode::quick);
}

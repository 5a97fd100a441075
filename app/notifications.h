#pragma once

#include "notifier.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace NotificationIds {
inline const QString sundayReminder = QStringLiteral("sunday-reminder");
inline const QString planReady = QStringLiteral("plan-ready");
inline const QString costLimit = QStringLiteral("cost-limit");
} // namespace NotificationIds

// Sunday 9:00 in the user's time zone, from the wall clock, so a DST change
// never moves it.
namespace Schedule {

// Sunday, from 9 AM on.
bool isSundayFromNine(const QDateTime& now);
// The first Sunday 9:00 local time strictly after `now`.
QDateTime nextSundayNine(const QDateTime& now);
// True once per local day, for the automatic refresh: the day is kept in the
// settings file, so a refresh that fails is not paid for again that day, nor
// after a restart. False when the day cannot be kept.
bool takeAutoRunDay(const QString& settingsPath, const QDateTime& now);

} // namespace Schedule

// The plan-ready message and the weekly reminder. The desktop has no repeating
// notifications of its own, so the reminder's next due time is kept in the
// settings file and delivered by the application's timer.
class Notifier {
public:
    using Clock = std::function<QDateTime()>;

    // service may be null: every notification is then skipped.
    Notifier(NotificationService* service, Clock now, QString settingsPath);

    static QString defaultSettingsPath();

    void setUp(bool sundayReset);
    void planReady(int changes);
    // A refresh waits because its estimate is above the user's limit.
    void costAboveLimit(const QString& estimate, const QString& limit);
    void scheduleSunday();
    // "sundayReminderOn": absent or not a boolean means on.
    bool reminderOn() const;
    std::optional<QDateTime> reminderDue() const;
    // Shows the reminder when it is due today and moves it to next Sunday. A
    // Sunday missed while the application was not running is not made up later.
    void deliverDueReminder();

private:
    void removeReminder();
    bool canShow() const;

    NotificationService* service_;
    Clock now_;
    QString settingsPath_;
};

#include "notifications.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace {

const QString reminderOnKey = QStringLiteral("sundayReminderOn");
const QString reminderDueKey = QStringLiteral("sundayReminderDue");
const QString autoRunDayKey = QStringLiteral("sundayAutoRunDay");

} // namespace

namespace Schedule {

bool isSundayFromNine(const QDateTime& now) {
    const QDateTime local = now.toLocalTime();
    return local.date().dayOfWeek() == Qt::Sunday && local.time().hour() >= 9;
}

QDateTime nextSundayNine(const QDateTime& now) {
    const QDateTime local = now.toLocalTime();
    QDate day = local.date().addDays(Qt::Sunday - local.date().dayOfWeek());
    QDateTime due(day, QTime(9, 0), Qt::LocalTime);
    if (due <= local) {
        day = day.addDays(7);
        due = QDateTime(day, QTime(9, 0), Qt::LocalTime);
    }
    return due;
}

bool takeAutoRunDay(const QString& settingsPath, const QDateTime& now) {
    const QString today = now.toLocalTime().date().toString(Qt::ISODate);
    QSettings settings(settingsPath, QSettings::IniFormat);
    if (settings.value(autoRunDayKey).toString() == today) return false;
    settings.setValue(autoRunDayKey, today);
    // A day that cannot be kept would let every tick pay for another run.
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace Schedule

Notifier::Notifier(NotificationService* service, Clock now, QString settingsPath)
    : service_(service), now_(std::move(now)), settingsPath_(std::move(settingsPath)) {}

QString Notifier::defaultSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tovrin/Tovrin.conf");
}

bool Notifier::canShow() const {
    return service_ && service_->available();
}

void Notifier::setUp(bool sundayReset) {
    // No notification service is the desktop's "permission refused": leave
    // the reminder as it was.
    if (!canShow()) return;
    if (reminderOn() && !sundayReset)
        scheduleSunday();
    else
        removeReminder();
}

void Notifier::planReady(int changes) {
    if (!canShow()) return;
    service_->show({NotificationIds::planReady,
                    QCoreApplication::translate("Notifier", "Your fresh start is ready"),
                    QCoreApplication::translate(
                        "Notifier", "%Ln change(s) are waiting. Nothing moves until you say so.",
                        nullptr, changes)});
}

void Notifier::costAboveLimit(const QString& estimate, const QString& limit) {
    if (!canShow()) return;
    service_->show(
        {NotificationIds::costLimit,
         QCoreApplication::translate("Notifier", "This refresh costs more than your limit"),
         QCoreApplication::translate("Notifier",
                                     "%1, above your limit of %2. Open Tovrin to go on or stop.")
             .arg(estimate, limit)});
}

void Notifier::scheduleSunday() {
    // Re-arranging at every launch must not skip a reminder that is due later
    // today or was due this morning and not yet shown.
    const QDateTime now = now_();
    if (const std::optional<QDateTime> due = reminderDue();
        due && due->toLocalTime().date() >= now.toLocalTime().date())
        return;
    QSettings settings(settingsPath_, QSettings::IniFormat);
    settings.setValue(reminderDueKey, Schedule::nextSundayNine(now).toUTC().toString(Qt::ISODate));
}

bool Notifier::reminderOn() const {
    const QSettings settings(settingsPath_, QSettings::IniFormat);
    const QVariant value = settings.value(reminderOnKey);
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    // The settings file stores booleans as text; anything else counts as on.
    return value.toString().compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}

std::optional<QDateTime> Notifier::reminderDue() const {
    const QSettings settings(settingsPath_, QSettings::IniFormat);
    const QDateTime due =
        QDateTime::fromString(settings.value(reminderDueKey).toString(), Qt::ISODate);
    if (!due.isValid()) return std::nullopt;
    return due;
}

void Notifier::deliverDueReminder() {
    const std::optional<QDateTime> due = reminderDue();
    const QDateTime now = now_();
    if (!due || now < *due) return;
    if (now.toLocalTime().date() == due->toLocalTime().date() && canShow())
        service_->show(
            {NotificationIds::sundayReminder, QStringLiteral("Tovrin"),
             QCoreApplication::translate("Notifier", "Don't forget to start the week fresh.")});
    QSettings settings(settingsPath_, QSettings::IniFormat);
    settings.setValue(reminderDueKey, Schedule::nextSundayNine(now).toUTC().toString(Qt::ISODate));
}

void Notifier::removeReminder() {
    QSettings settings(settingsPath_, QSettings::IniFormat);
    settings.remove(reminderDueKey);
}

#include "preferences.h"

#include "autostart.h"
#include "store.h"
#include "usage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QSettings>
#include <QUrl>
#include <QVariantMap>

void Preferences::setState(AppState* state) {
    if (state_ == state) return;
    if (state_) disconnect(state_, nullptr, this, nullptr);
    state_ = state;
    if (state_) {
        connect(state_, &AppState::profileChanged, this, &Preferences::profileChanged);
        // A refresh that ends writes the usage log.
        connect(state_, &AppState::lastRunCostChanged, this, &Preferences::usageChanged);
        connect(state_, &AppState::phaseChanged, this, &Preferences::usageChanged);
    }
    emit stateChanged();
    emit profileChanged();
    emit reminderOnChanged();
    emit usageChanged();
}

void Preferences::setSaveAtOnce(bool on) {
    if (saveAtOnce_ == on) return;
    saveAtOnce_ = on;
    emit saveAtOnceChanged();
}

Profile Preferences::profile() const {
    return state_ ? state_->profile() : Profile{};
}

void Preferences::change(Profile profile, bool save) {
    if (!state_) return;
    state_->setProfile(profile);
    if (save) Store::saveProfile(profile);
}

bool Preferences::renameFiles() const {
    return profile().renameFiles;
}

void Preferences::setRenameFiles(bool on) {
    Profile p = profile();
    p.renameFiles = on;
    change(p, saveAtOnce_);
}

bool Preferences::keepInstallers() const {
    return profile().keepInstallers;
}

void Preferences::setKeepInstallers(bool on) {
    Profile p = profile();
    p.keepInstallers = on;
    change(p, saveAtOnce_);
}

bool Preferences::autoTidy() const {
    return profile().autoTidy;
}

void Preferences::setAutoTidy(bool on) {
    Profile p = profile();
    p.autoTidy = on;
    change(p, saveAtOnce_);
}

QString Preferences::model() const {
    return profile().model;
}

void Preferences::setModel(const QString& model) {
    Profile p = profile();
    p.model = model;
    change(p, saveAtOnce_);
}

QStringList Preferences::scanFolders() const {
    return profile().scanFolders;
}

QVariantList Preferences::projects() const {
    QVariantList rows;
    for (const Project& project : profile().projects)
        rows.append(QVariantMap{{QStringLiteral("id"), project.id.toString(QUuid::WithoutBraces)},
                                {QStringLiteral("name"), project.name},
                                {QStringLiteral("aliases"), project.aliases}});
    return rows;
}

bool Preferences::reminderOn() const {
    return state_ && state_->notifier().reminderOn();
}

void Preferences::setReminderOn(bool on) {
    if (!state_) return;
    {
        QSettings settings(Notifier::defaultSettingsPath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("sundayReminderOn"), on);
    }
    state_->notifier().setUp(profile().autoTidy);
    emit reminderOnChanged();
}

bool Preferences::startAtLogin() const {
    return Autostart::isEnabled();
}

void Preferences::setStartAtLogin(bool on) {
    if (on)
        Autostart::enable(QCoreApplication::applicationFilePath());
    else
        Autostart::disable();
    emit startAtLoginChanged();
}

QVariantList Preferences::usage() const {
    QVariantList figures;
    for (const UsageFigure& figure : Usage::shared().summary())
        figures.append(QVariantMap{{QStringLiteral("value"), figure.value},
                                   {QStringLiteral("label"), figure.label}});
    return figures;
}

void Preferences::setFolder(const QString& name, bool on) {
    Profile p = profile();
    if (on)
        p.scanFolders.append(name);
    else
        p.scanFolders.removeAll(name);
    change(p, saveAtOnce_);
}

bool Preferences::addProject(const QString& name, const QString& aliases) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || !state_) return false;
    Profile p = profile();
    p.projects.append(Project{QUuid::createUuid(), trimmed, aliases});
    change(p, true);
    return true;
}

void Preferences::removeProject(const QString& id) {
    const QUuid uuid(id);
    Profile p = profile();
    p.projects.removeIf([&](const Project& project) { return project.id == uuid; });
    change(p, true);
}

void Preferences::finishOnboarding() {
    if (!state_) return;
    Profile p = profile();
    p.onboarded = true;
    change(p, true);
    state_->notifier().setUp(p.autoTidy);
    state_->start(TidyMode::deep);
}

void Preferences::openMoveHistory() const {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Store::logsDir()));
}

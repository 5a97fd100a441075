#include "settingscontroller.h"

#include "autostart.h"
#include "claudeapi.h"
#include "usage.h"
#include "userfolders.h"

#include <QCoreApplication>
#include <QSettings>
#include <QVariantMap>

namespace {

// US dollars, offered when the limit is first switched on.
constexpr double firstCostLimit = 1.0;

} // namespace

void SettingsController::followState(AppState* state) {
    if (state) {
        connect(state, &AppState::profileChanged, this, &SettingsController::profileChanged);
        // A refresh that ends writes the usage log.
        connect(state, &AppState::lastRunCostChanged, this, &SettingsController::usageChanged);
        connect(state, &AppState::phaseChanged, this, &SettingsController::usageChanged);
    }
    emit profileChanged();
    emit reminderOnChanged();
    emit usageChanged();
}

void SettingsController::setSaveAtOnce(bool on) {
    if (saveAtOnce_ == on) return;
    saveAtOnce_ = on;
    emit saveAtOnceChanged();
}

Profile SettingsController::profile() const {
    return appState() ? appState()->profile() : Profile{};
}

void SettingsController::change(const std::function<void(Profile&)>& edit, bool save) {
    if (!appState()) return;
    if (save) {
        appState()->updateProfile(edit);
        return;
    }
    Profile profile = appState()->profile();
    edit(profile);
    appState()->setProfile(profile);
}

bool SettingsController::renameFiles() const {
    return profile().renameFiles;
}

void SettingsController::setRenameFiles(bool on) {
    change([on](Profile& p) { p.renameFiles = on; }, saveAtOnce_);
}

bool SettingsController::keepInstallers() const {
    return profile().keepInstallers;
}

void SettingsController::setKeepInstallers(bool on) {
    change([on](Profile& p) { p.keepInstallers = on; }, saveAtOnce_);
}

bool SettingsController::autoTidy() const {
    return profile().autoTidy;
}

void SettingsController::setAutoTidy(bool on) {
    change([on](Profile& p) { p.autoTidy = on; }, saveAtOnce_);
}

bool SettingsController::limitOn() const {
    return profile().costLimit.has_value();
}

void SettingsController::setLimitOn(bool on) {
    change(
        [on](Profile& p) {
            if (!on)
                p.costLimit.reset();
            else if (!p.costLimit)
                p.costLimit = firstCostLimit;
        },
        saveAtOnce_);
}

double SettingsController::costLimit() const {
    return profile().costLimit.value_or(firstCostLimit);
}

void SettingsController::setCostLimit(double dollars) {
    if (!(dollars > 0)) return;
    change([dollars](Profile& p) { p.costLimit = dollars; }, saveAtOnce_);
}

QString SettingsController::model() const {
    return profile().model;
}

void SettingsController::setModel(const QString& model) {
    change([model](Profile& p) { p.model = model; }, saveAtOnce_);
}

LocalModel SettingsController::local() const {
    return profile().local.value_or(switchedOff_);
}

void SettingsController::changeLocal(const std::function<void(LocalModel&)>& edit) {
    change(
        [&edit](Profile& p) {
            if (p.local) edit(*p.local);
        },
        saveAtOnce_);
}

bool SettingsController::localOn() const {
    return profile().local.has_value();
}

void SettingsController::setLocalOn(bool on) {
    if (on == localOn()) return;
    if (!on) switchedOff_ = local();
    const LocalModel restored = switchedOff_;
    change(
        [on, &restored](Profile& p) {
            if (on)
                p.local = restored;
            else
                p.local.reset();
        },
        saveAtOnce_);
}

QString SettingsController::localAddress() const {
    return local().address;
}

void SettingsController::setLocalAddress(const QString& address) {
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty()) return;
    changeLocal([&trimmed](LocalModel& l) {
        // Trust was given to one server, not to whichever the address names next.
        if (l.address != trimmed) l.trusted = false;
        l.address = trimmed;
    });
}

QString SettingsController::filesModel() const {
    return local().filesModel;
}

void SettingsController::setFilesModel(const QString& model) {
    changeLocal([&model](LocalModel& l) { l.filesModel = model; });
}

QString SettingsController::picturesModel() const {
    return local().picturesModel;
}

void SettingsController::setPicturesModel(const QString& model) {
    changeLocal([&model](LocalModel& l) { l.picturesModel = model; });
}

QString SettingsController::secondLookModel() const {
    return local().secondLookModel.value_or(QString());
}

void SettingsController::setSecondLookModel(const QString& model) {
    changeLocal([&model](LocalModel& l) {
        l.secondLookModel = model.isEmpty() ? std::nullopt : std::optional(model);
    });
}

bool SettingsController::serverTrusted() const {
    return local().trusted;
}

void SettingsController::setServerTrusted(bool on) {
    changeLocal([on](LocalModel& l) { l.trusted = on; });
}

bool SettingsController::serverOnThisComputer() const {
    return Claude::onThisComputer(QUrl(localAddress()));
}

QStringList SettingsController::scanFolders() const {
    return profile().scanFolders;
}

QVariantList SettingsController::folderChoices() const {
    QVariantList rows;
    for (const QString& name : UserFolders::offered)
        rows.append(QVariantMap{{QStringLiteral("name"), name},
                                {QStringLiteral("label"), UserFolders::displayName(name)}});
    return rows;
}

QVariantList SettingsController::projects() const {
    QVariantList rows;
    for (const Project& project : profile().projects)
        rows.append(QVariantMap{{QStringLiteral("id"), project.id.toString(QUuid::WithoutBraces)},
                                {QStringLiteral("name"), project.name},
                                {QStringLiteral("aliases"), project.aliases}});
    return rows;
}

bool SettingsController::reminderOn() const {
    return appState() && appState()->notifier().reminderOn();
}

void SettingsController::setReminderOn(bool on) {
    if (!appState()) return;
    {
        QSettings settings(Notifier::defaultSettingsPath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("sundayReminderOn"), on);
    }
    appState()->notifier().setUp(profile().autoTidy);
    emit reminderOnChanged();
}

bool SettingsController::startAtLogin() const {
    return Autostart::isEnabled();
}

void SettingsController::setStartAtLogin(bool on) {
    if (on)
        Autostart::enable(QCoreApplication::applicationFilePath());
    else
        Autostart::disable();
    emit startAtLoginChanged();
}

QVariantList SettingsController::usage() const {
    QVariantList figures;
    for (const UsageFigure& figure : Usage::shared().summary())
        figures.append(QVariantMap{{QStringLiteral("value"), figure.value},
                                   {QStringLiteral("label"), figure.label}});
    return figures;
}

void SettingsController::setFolder(const QString& name, bool on) {
    change(
        [&](Profile& p) {
            if (on)
                p.scanFolders.append(name);
            else
                p.scanFolders.removeAll(name);
        },
        saveAtOnce_);
}

bool SettingsController::addProject(const QString& name, const QString& aliases) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || !appState()) return false;
    change(
        [&](Profile& p) {
            p.projects.append(Project{QUuid::createUuid(), trimmed, aliases});
        },
        true);
    return true;
}

void SettingsController::removeProject(const QString& id) {
    const QUuid uuid(id);
    change(
        [&](Profile& p) {
            p.projects.removeIf([&](const Project& project) { return project.id == uuid; });
        },
        true);
}

void SettingsController::finishOnboarding() {
    if (!appState()) return;
    change([](Profile& p) { p.onboarded = true; }, true);
    appState()->notifier().setUp(profile().autoTidy);
    appState()->start(Tidy::Mode::deep);
}

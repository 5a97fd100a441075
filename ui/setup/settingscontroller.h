#pragma once

#include "viewcontroller.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqml.h>

#include <functional>

// The profile, the reminder switch, start at login and the usage figures as
// onboarding and settings edit them. Onboarding keeps edits in memory until
// its last step; settings save each one at once.
class SettingsController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool saveAtOnce READ saveAtOnce WRITE setSaveAtOnce NOTIFY saveAtOnceChanged)
    Q_PROPERTY(bool renameFiles READ renameFiles WRITE setRenameFiles NOTIFY profileChanged)
    Q_PROPERTY(
        bool keepInstallers READ keepInstallers WRITE setKeepInstallers NOTIFY profileChanged)
    Q_PROPERTY(bool autoTidy READ autoTidy WRITE setAutoTidy NOTIFY profileChanged)
    Q_PROPERTY(QString model READ model WRITE setModel NOTIFY profileChanged)
    // A model on this computer instead of Claude, and the choices it takes;
    // switched off and on again, the choices come back.
    Q_PROPERTY(bool localOn READ localOn WRITE setLocalOn NOTIFY profileChanged)
    Q_PROPERTY(QString localAddress READ localAddress WRITE setLocalAddress NOTIFY profileChanged)
    Q_PROPERTY(QString filesModel READ filesModel WRITE setFilesModel NOTIFY profileChanged)
    Q_PROPERTY(
        QString picturesModel READ picturesModel WRITE setPicturesModel NOTIFY profileChanged)
    // Empty: no second look.
    Q_PROPERTY(
        QString secondLookModel READ secondLookModel WRITE setSecondLookModel NOTIFY profileChanged)
    Q_PROPERTY(bool serverTrusted READ serverTrusted WRITE setServerTrusted NOTIFY profileChanged)
    // Whether files sent to the address stay on this computer.
    Q_PROPERTY(bool serverOnThisComputer READ serverOnThisComputer NOTIFY profileChanged)
    // A refresh estimated above the limit asks before it sends anything.
    Q_PROPERTY(bool limitOn READ limitOn WRITE setLimitOn NOTIFY profileChanged)
    // US dollars; what the limit is, or would be when switched on.
    Q_PROPERTY(double costLimit READ costLimit WRITE setCostLimit NOTIFY profileChanged)
    Q_PROPERTY(QStringList scanFolders READ scanFolders NOTIFY profileChanged)
    // One {name, label} map per folder on offer: the name the profile stores
    // and what this desktop calls the folder ("Bureau").
    Q_PROPERTY(QVariantList folderChoices READ folderChoices CONSTANT)
    // One {id, name, aliases} map per project, in profile order.
    Q_PROPERTY(QVariantList projects READ projects NOTIFY profileChanged)
    Q_PROPERTY(bool reminderOn READ reminderOn WRITE setReminderOn NOTIFY reminderOnChanged)
    Q_PROPERTY(bool startAtLogin READ startAtLogin WRITE setStartAtLogin NOTIFY startAtLoginChanged)
    // One {value, label} map per figure, read from the usage log on each read.
    Q_PROPERTY(QVariantList usage READ usage NOTIFY usageChanged)

public:
    using ViewController::ViewController;

    bool saveAtOnce() const { return saveAtOnce_; }
    void setSaveAtOnce(bool on);

    bool renameFiles() const;
    void setRenameFiles(bool on);
    bool keepInstallers() const;
    void setKeepInstallers(bool on);
    bool autoTidy() const;
    void setAutoTidy(bool on);
    QString model() const;
    void setModel(const QString& model);
    bool localOn() const;
    void setLocalOn(bool on);
    QString localAddress() const;
    void setLocalAddress(const QString& address);
    QString filesModel() const;
    void setFilesModel(const QString& model);
    QString picturesModel() const;
    void setPicturesModel(const QString& model);
    QString secondLookModel() const;
    void setSecondLookModel(const QString& model);
    bool serverTrusted() const;
    void setServerTrusted(bool on);
    bool serverOnThisComputer() const;
    bool limitOn() const;
    void setLimitOn(bool on);
    double costLimit() const;
    // Amounts of zero or less are ignored.
    void setCostLimit(double dollars);
    QStringList scanFolders() const;
    QVariantList folderChoices() const;
    QVariantList projects() const;

    bool reminderOn() const;
    void setReminderOn(bool on);
    bool startAtLogin() const;
    void setStartAtLogin(bool on);
    QVariantList usage() const;

    // On appends the name; off removes every entry equal to it.
    Q_INVOKABLE void setFolder(const QString& name, bool on);
    // False, changing nothing, when the name is only white space.
    Q_INVOKABLE bool addProject(const QString& name, const QString& aliases);
    Q_INVOKABLE void removeProject(const QString& id);
    // Marks the user onboarded, saves, arranges notifications and starts the
    // first refresh, a deep one.
    Q_INVOKABLE void finishOnboarding();

signals:
    void saveAtOnceChanged();
    void profileChanged();
    void reminderOnChanged();
    void startAtLoginChanged();
    void usageChanged();

private:
    void followState(AppState* state) override;
    Profile profile() const;
    void change(const std::function<void(Profile&)>& edit, bool save);
    LocalModel local() const;
    // Edits the local settings; nothing while they are off.
    void changeLocal(const std::function<void(LocalModel&)>& edit);

    bool saveAtOnce_ = true;
    LocalModel switchedOff_; // what comes back when switched on again
};

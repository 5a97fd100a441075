#pragma once

#include "reviewlists.h"
#include "viewcontroller.h"
#include "vocabulary.h"

#include <QObject>
#include <QQmlParserStatus>
#include <QSet>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqml.h>

// What one open review window holds of its own (the tab, the group, hidden
// suggestions, the add-project field and its note) and the texts it derives
// from the plan. Starts afresh with every window.
class ReviewController : public ViewController, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(Review::Tab tab READ tab WRITE setTab NOTIFY tabChanged)
    Q_PROPERTY(QString group READ group NOTIFY groupChanged)
    Q_PROPERTY(QString groupTitle READ groupTitle NOTIFY groupChanged)
    Q_PROPERTY(QString organizeSubtitle READ organizeSubtitle NOTIFY countsChanged)
    Q_PROPERTY(QVariantList tabs READ tabs NOTIFY countsChanged)
    Q_PROPERTY(int everythingCount READ everythingCount NOTIFY countsChanged)
    Q_PROPERTY(int approvedCount READ approvedCount NOTIFY countsChanged)
    Q_PROPERTY(QString approveText READ approveText NOTIFY countsChanged)
    Q_PROPERTY(bool empty READ empty NOTIFY countsChanged)
    Q_PROPERTY(bool hasNeeds READ hasNeeds NOTIFY countsChanged)
    Q_PROPERTY(QStringList destinationChoices READ destinationChoices NOTIFY choicesChanged)
    Q_PROPERTY(QVariantList suggestions READ suggestions NOTIFY suggestionsChanged)
    Q_PROPERTY(QString addedNote READ addedNote NOTIFY suggestionsChanged)
    Q_PROPERTY(bool bannerShown READ bannerShown NOTIFY suggestionsChanged)
    Q_PROPERTY(QString newProject READ newProject WRITE setNewProject NOTIFY newProjectChanged)
    Q_PROPERTY(bool canAdd READ canAdd NOTIFY newProjectChanged)
    Q_PROPERTY(QString needsYouFolder READ needsYouFolder CONSTANT)
    Q_PROPERTY(QString archiveFolder READ archiveFolder CONSTANT)

public:
    using ViewController::ViewController;

    Review::Tab tab() const { return tab_; }
    void setTab(Review::Tab tab);
    QString group() const { return group_; }
    QString groupTitle() const;
    QString organizeSubtitle() const;
    QVariantList tabs() const;
    int everythingCount() const { return counts_[int(Review::Tab::organize)]; }
    int approvedCount() const { return approved_; }
    QString approveText() const;
    bool empty() const { return empty_; }
    bool hasNeeds() const { return counts_[int(Review::Tab::needs)] > 0; }
    QStringList destinationChoices() const { return choices_; }
    QVariantList suggestions() const;
    QString addedNote() const { return addedNote_; }
    bool bannerShown() const { return !suggestions_.isEmpty() || !addedNote_.isEmpty(); }
    QString newProject() const { return newProject_; }
    void setNewProject(const QString& text);
    bool canAdd() const { return !trimSpacesTabs(newProject_).isEmpty(); }
    static QString needsYouFolder() { return FolderLayout::needsYou; }
    static QString archiveFolder() { return FolderLayout::archive; }

    // A sidebar row: an empty name is "Everything". Either shows Organize.
    Q_INVOKABLE void showGroup(const QString& name);
    Q_INVOKABLE void addSuggestion(const QString& name);
    Q_INVOKABLE void dismiss(const QString& name);
    // The add-project field: Return or "Add".
    Q_INVOKABLE void addTyped();
    // "Send all to…" and "Leave all where they are" over every needs-you item.
    Q_INVOKABLE void sendAllTo(const QString& folder);
    Q_INVOKABLE void leaveAll();

    void classBegin() override;
    void componentComplete() override;

signals:
    void tabChanged();
    void groupChanged();
    void countsChanged();
    void choicesChanged();
    void suggestionsChanged();
    void newProjectChanged();

private:
    void followState(AppState* state) override;
    void refresh();
    void refreshSuggestions();
    void recountApproved();
    void added(const QString& name, int moved);
    QList<qint64> needsIds() const;

    Review::Tab tab_ = Review::Tab::organize;
    QString group_;
    std::array<int, Review::tabCount> counts_{};
    int shown_ = 0;
    int approved_ = 0;
    bool empty_ = true;
    QStringList choices_;
    GroupCounts suggestions_;
    QSet<QString> dismissed_;
    QString addedNote_;
    QString newProject_;
};

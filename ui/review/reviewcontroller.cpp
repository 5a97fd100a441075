#include "reviewcontroller.h"

#include "format.h"
#include "thumbs.h"

#include <QMetaEnum>
#include <QQmlEngine>

void ReviewController::followState(AppState* state) {
    if (state) {
        connect(state, &AppState::planChanged, this, &ReviewController::refresh);
        connect(state, &AppState::itemsEdited, this, &ReviewController::refresh);
        connect(state, &AppState::approvalsChanged, this, &ReviewController::recountApproved);
        connect(state, &AppState::profileChanged, this, &ReviewController::refreshSuggestions);
    }
    refresh();
}

void ReviewController::setTab(Review::Tab tab) {
    if (tab_ == tab) return;
    tab_ = tab;
    emit tabChanged();
}

QString ReviewController::groupTitle() const {
    return group_.isEmpty() ? tr("Everything") : group_;
}

QString ReviewController::organizeSubtitle() const {
    return tr("%Ln file(s) · sorted by what's inside, not the name", nullptr, shown_);
}

QVariantList ReviewController::tabs() const {
    static const QMetaEnum tabKeys = QMetaEnum::fromType<Review::Tab>();
    QVariantList tabs;
    for (int t = 0; t < Review::tabCount; ++t)
        tabs.append(QVariantMap{
            {QStringLiteral("tab"), t},
            {QStringLiteral("key"), QString::fromLatin1(tabKeys.valueToKey(t))},
            {QStringLiteral("title"), Review::title(Review::Tab(t))},
            {QStringLiteral("countText"), Format::count(counts_[t])},
        });
    return tabs;
}

QString ReviewController::approveText() const {
    return tr("Approve %Ln change(s)", nullptr, approved_);
}

QVariantList ReviewController::suggestions() const {
    QVariantList shown;
    for (const GroupCount& suggestion : suggestions_)
        shown.append(QVariantMap{
            {QStringLiteral("name"), suggestion.name},
            {QStringLiteral("count"), suggestion.count},
        });
    return shown;
}

void ReviewController::setNewProject(const QString& text) {
    if (newProject_ == text) return;
    newProject_ = text;
    emit newProjectChanged();
}

void ReviewController::showGroup(const QString& name) {
    if (group_ != name) {
        group_ = name;
        refresh();
        emit groupChanged();
    }
    setTab(Review::Tab::organize);
}

void ReviewController::addSuggestion(const QString& name) {
    if (!appState()) return;
    added(name, appState()->addProject(name));
}

void ReviewController::dismiss(const QString& name) {
    dismissed_.insert(name);
    refreshSuggestions();
}

void ReviewController::addTyped() {
    const QString name = trimSpacesTabs(newProject_);
    if (name.isEmpty() || !appState()) return;
    added(name, appState()->addProject(name));
    setNewProject(QString());
}

void ReviewController::sendAllTo(const QString& folder) {
    if (!appState()) return;
    appState()->setDestinations(needsIds(), folder);
}

void ReviewController::leaveAll() {
    sendAllTo(QString());
}

void ReviewController::classBegin() {
    // The window's images come through our providers; whichever engine
    // loads the window gets them.
    if (QQmlEngine* engine = qmlEngine(this)) Thumbs::install(*engine);
}

void ReviewController::componentComplete() {}

void ReviewController::refresh() {
    static const QList<PlanItem> none;
    const QList<PlanItem>& plan = appState() ? appState()->plan() : none;
    // A new plan of a junk-only refresh opens where its files are.
    if (empty_ && !plan.isEmpty() && appState()->junkOnlyPlan()) setTab(Review::Tab::junk);
    // Only what changed is told: every notice rebuilds parts of the window.
    const auto counts = Review::counts(plan);
    const int shown =
        group_.isEmpty()
            ? counts[int(Review::Tab::organize)]
            : int(std::count_if(plan.begin(), plan.end(), [this](const PlanItem& item) {
                  return Review::listed(item, Review::Tab::organize, group_);
              }));
    const int approved = Review::approvedCount(plan);
    if (counts != counts_ || shown != shown_ || approved != approved_ || empty_ != plan.isEmpty()) {
        counts_ = counts;
        shown_ = shown;
        approved_ = approved;
        empty_ = plan.isEmpty();
        emit countsChanged();
    }
    QStringList choices = Review::destinationChoices(plan);
    if (choices != choices_) {
        choices_ = std::move(choices);
        emit choicesChanged();
    }
    refreshSuggestions();
}

void ReviewController::recountApproved() {
    const int approved = appState() ? Review::approvedCount(appState()->plan()) : 0;
    if (approved == approved_) return;
    approved_ = approved;
    emit countsChanged();
}

void ReviewController::refreshSuggestions() {
    GroupCounts shown;
    if (appState())
        for (const GroupCount& suggestion : appState()->projectSuggestions())
            if (!dismissed_.contains(suggestion.name)) shown.append(suggestion);
    if (shown == suggestions_) return;
    suggestions_ = shown;
    emit suggestionsChanged();
}

void ReviewController::added(const QString& name, int moved) {
    addedNote_ = tr("Added %1 · %Ln file(s) sorted into it.", nullptr, moved).arg(name);
    emit suggestionsChanged();
}

QList<qint64> ReviewController::needsIds() const {
    QList<qint64> ids;
    if (!appState()) return ids;
    for (const PlanItem& item : appState()->plan())
        if (Review::inTab(item, Review::Tab::needs)) ids.append(item.id);
    return ids;
}

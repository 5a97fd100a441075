#include "reviewpanel.h"

#include "format.h"
#include "thumbs.h"

#include <QQmlEngine>

void ReviewPanel::setState(AppState* state) {
    if (state_ == state) return;
    if (state_) disconnect(state_, nullptr, this, nullptr);
    state_ = state;
    if (state_) {
        connect(state_, &AppState::planChanged, this, &ReviewPanel::refresh);
        connect(state_, &AppState::profileChanged, this, &ReviewPanel::refreshSuggestions);
    }
    refresh();
    emit stateChanged();
}

void ReviewPanel::setTab(Review::Tab tab) {
    if (tab_ == tab) return;
    tab_ = tab;
    emit tabChanged();
}

QString ReviewPanel::groupTitle() const {
    return group_.isEmpty() ? QStringLiteral("Everything") : group_;
}

QString ReviewPanel::organizeSubtitle() const {
    return Format::count(shown_) + QStringLiteral(" files · sorted by what's inside, not the name");
}

QVariantList ReviewPanel::tabs() const {
    QVariantList tabs;
    for (int t = 0; t < Review::tabCount; ++t)
        tabs.append(QVariantMap{
            {QStringLiteral("tab"), t},
            {QStringLiteral("title"), Review::title(Review::Tab(t))},
            {QStringLiteral("countText"), Format::count(counts_[t])},
        });
    return tabs;
}

QString ReviewPanel::everythingCountText() const {
    return Format::count(counts_[int(Review::Tab::organize)]);
}

QString ReviewPanel::approveText() const {
    return QStringLiteral("Approve ") + Format::count(approved_) + QStringLiteral(" changes");
}

QVariantList ReviewPanel::suggestions() const {
    QVariantList shown;
    for (const GroupCount& suggestion : suggestions_)
        shown.append(QVariantMap{
            {QStringLiteral("name"), suggestion.name},
            {QStringLiteral("countText"), Format::count(suggestion.count)},
        });
    return shown;
}

void ReviewPanel::setNewProject(const QString& text) {
    if (newProject_ == text) return;
    newProject_ = text;
    emit newProjectChanged();
}

void ReviewPanel::showGroup(const QString& name) {
    if (group_ != name) {
        group_ = name;
        refresh();
        emit groupChanged();
    }
    setTab(Review::Tab::organize);
}

void ReviewPanel::addSuggestion(const QString& name) {
    if (!state_) return;
    added(name, state_->addProject(name));
}

void ReviewPanel::dismiss(const QString& name) {
    dismissed_.insert(name);
    refreshSuggestions();
}

void ReviewPanel::addTyped() {
    const QString name = trimSpacesTabs(newProject_);
    if (name.isEmpty() || !state_) return;
    added(name, state_->addProject(name));
    setNewProject(QString());
}

void ReviewPanel::sendAllTo(const QString& folder) {
    if (!state_) return;
    state_->setDestinations(needsIds(), folder);
}

void ReviewPanel::leaveAll() {
    sendAllTo(QString());
}

void ReviewPanel::classBegin() {
    // The window's images come through our providers; whichever engine
    // loads the window gets them.
    if (QQmlEngine* engine = qmlEngine(this)) Thumbs::install(*engine);
}

void ReviewPanel::componentComplete() {}

void ReviewPanel::refresh() {
    static const QList<PlanItem> none;
    const QList<PlanItem>& plan = state_ ? state_->plan() : none;
    // A new plan of a junk-only refresh opens where its files are.
    if (empty_ && !plan.isEmpty() && state_->junkOnlyPlan()) setTab(Review::Tab::junk);
    for (int t = 0; t < Review::tabCount; ++t)
        counts_[t] = Review::count(plan, Review::Tab(t));
    shown_ = group_.isEmpty()
                 ? counts_[int(Review::Tab::organize)]
                 : int(std::count_if(plan.begin(), plan.end(), [this](const PlanItem& item) {
                       return Review::inTab(item, Review::Tab::organize) && item.group() == group_;
                   }));
    approved_ = Review::approvedCount(plan);
    empty_ = plan.isEmpty();
    choices_ = Review::destinationChoices(plan);
    emit countsChanged();
    refreshSuggestions();
}

void ReviewPanel::refreshSuggestions() {
    GroupCounts shown;
    if (state_)
        for (const GroupCount& suggestion : state_->projectSuggestions())
            if (!dismissed_.contains(suggestion.name)) shown.append(suggestion);
    if (shown == suggestions_) return;
    suggestions_ = shown;
    emit suggestionsChanged();
}

void ReviewPanel::added(const QString& name, int moved) {
    addedNote_ = QStringLiteral("Added ") + name + QStringLiteral(" · ") + Format::count(moved) +
                 QStringLiteral(" files sorted into it.");
    emit suggestionsChanged();
}

QList<qint64> ReviewPanel::needsIds() const {
    QList<qint64> ids;
    if (!state_) return ids;
    for (const PlanItem& item : state_->plan())
        if (Review::inTab(item, Review::Tab::needs)) ids.append(item.id);
    return ids;
}

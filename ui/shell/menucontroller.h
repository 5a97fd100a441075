#pragma once

#include "viewcontroller.h"

#include <QObject>
#include <QString>
#include <QtQml/qqml.h>

// The plan's three headline numbers on the review-ready panel.
struct PlanStats {
    int toOrganize = 0;
    int toRename = 0;
    qint64 junkBytes = 0;

    bool operator==(const PlanStats&) const = default;
};

namespace MenuStats {
PlanStats of(const QList<PlanItem>& plan);
// "Claude cost for this refresh: <$0.01"; empty without a cost.
QString costLine(std::optional<double> dollars);
} // namespace MenuStats

// What the menu panels read of the state, in types QML can bind to. Every
// value is read from the state on demand and re-announced on its signals.
class MenuController : public ViewController {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(bool onboarded READ onboarded NOTIFY profileChanged)
    Q_PROPERTY(int projects READ projects NOTIFY profileChanged)
    Q_PROPERTY(int folders READ folders NOTIFY profileChanged)
    Q_PROPERTY(bool autoTidy READ autoTidy WRITE setAutoTidy NOTIFY profileChanged)
    Q_PROPERTY(QString homeBase READ homeBase NOTIFY profileChanged)
    // The review folders the done panel opens.
    Q_PROPERTY(QString needsYouFolder READ needsYouFolder NOTIFY profileChanged)
    Q_PROPERTY(QString toDeleteFolder READ toDeleteFolder NOTIFY profileChanged)

    Q_PROPERTY(int toOrganize READ toOrganize NOTIFY planChanged)
    Q_PROPERTY(int toRename READ toRename NOTIFY planChanged)
    Q_PROPERTY(double planJunkBytes READ planJunkBytes NOTIFY planChanged)
    Q_PROPERTY(QString costText READ costText NOTIFY costChanged)

    Q_PROPERTY(int moved READ moved NOTIFY resultChanged)
    Q_PROPERTY(int renamed READ renamed NOTIFY resultChanged)
    Q_PROPERTY(double junkBytes READ junkBytes NOTIFY resultChanged)
    Q_PROPERTY(int needsYou READ needsYou NOTIFY resultChanged)
    Q_PROPERTY(bool hasRecap READ hasRecap NOTIFY recapChanged)

    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    Q_PROPERTY(QString lastRunText READ lastRunText NOTIFY clockChanged)

public:
    using ViewController::ViewController;

    bool onboarded() const;
    int projects() const;
    int folders() const;
    bool autoTidy() const;
    // Saved at once; the state re-arranges the Sunday notifications itself.
    void setAutoTidy(bool on);
    QString homeBase() const;
    QString needsYouFolder() const;
    QString toDeleteFolder() const;

    int toOrganize() const { return stats_.toOrganize; }
    int toRename() const { return stats_.toRename; }
    qint64 planJunkBytes() const { return stats_.junkBytes; }
    // "Claude cost for this refresh: $0.12", or empty with no cost known.
    QString costText() const;

    int moved() const { return result().moved; }
    int renamed() const { return result().renamed; }
    qint64 junkBytes() const { return result().junkBytes; }
    int needsYou() const { return result().needsYou; }
    bool hasRecap() const;

    QString message() const;
    QString lastRunText() const;
    // Texts relative to now are read again; the panel calls it when it opens
    // and while it stays open.
    Q_INVOKABLE void timePassed() { emit clockChanged(); }

signals:
    void profileChanged();
    void planChanged();
    void costChanged();
    void resultChanged();
    void recapChanged();
    void messageChanged();
    void clockChanged();

private:
    void followState(AppState* state) override;
    ApplyResult result() const;
    QString homeFolder(const QString& relative) const;
    void updateStats();

    PlanStats stats_;
};

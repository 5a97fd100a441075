#pragma once

#include "viewcontroller.h"

#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqml.h>

// The state's recap and home base as the slides read them; follows the state.
class RecapController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QStringList slides READ slides NOTIFY recapChanged)
    Q_PROPERTY(int moved READ moved NOTIFY recapChanged)
    Q_PROPERTY(int renamed READ renamed NOTIFY recapChanged)
    Q_PROPERTY(double junkBytes READ junkBytes NOTIFY recapChanged)
    Q_PROPERTY(int duplicates READ duplicates NOTIFY recapChanged)
    // Rows of {name, count, fraction, more}, fraction against the largest
    // count: the largest groups, then one row "+ N more" with the files of
    // the rest, so the slide fits however many groups there are.
    Q_PROPERTY(QVariantList groups READ groups NOTIFY recapChanged)
    Q_PROPERTY(bool hasExample READ hasExample NOTIFY recapChanged)
    Q_PROPERTY(QString renameFrom READ renameFrom NOTIFY recapChanged)
    Q_PROPERTY(QString renameTo READ renameTo NOTIFY recapChanged)
    Q_PROPERTY(QString homeBase READ homeBase NOTIFY homeBaseChanged)

public:
    using ViewController::ViewController;

    QStringList slides() const;
    int moved() const { return recap_ ? recap_->result.moved : 0; }
    int renamed() const { return recap_ ? recap_->result.renamed : 0; }
    qint64 junkBytes() const { return recap_ ? recap_->result.junkBytes : 0; }
    int duplicates() const { return recap_ ? recap_->duplicates : 0; }
    QVariantList groups() const;
    bool hasExample() const { return recap_ && recap_->renameFrom && recap_->renameTo; }
    QString renameFrom() const { return hasExample() ? *recap_->renameFrom : QString(); }
    QString renameTo() const { return hasExample() ? *recap_->renameTo : QString(); }
    QString homeBase() const { return appState() ? appState()->profile().homeBase : QString(); }

signals:
    void recapChanged();
    void homeBaseChanged();

private:
    void followState(AppState* state) override;
    void readRecap();

    std::optional<RecapData> recap_;
};

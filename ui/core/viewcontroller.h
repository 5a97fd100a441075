#pragma once

#include "appstate.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqml.h>

// The C++ side of a view: what it reads of the one AppState, in types QML
// binds to, re-announced on the state's signals.
class ViewController : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(AppState* appState READ appState WRITE setAppState NOTIFY appStateChanged REQUIRED)

public:
    using QObject::QObject;

    AppState* appState() const { return state_; }
    void setAppState(AppState* state);

signals:
    void appStateChanged();

protected:
    // The state was replaced (or is gone, when null); the old one's
    // connections are cut. Connect to the new one and re-announce what it
    // tells.
    virtual void followState(AppState* state) = 0;

private:
    QPointer<AppState> state_;
};

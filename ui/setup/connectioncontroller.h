#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqml.h>

// Onboarding's "Test connection": one tiny request with the typed key. It
// stores nothing; only "Continue" saves the key.
class ConnectionController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool testing READ testing NOTIFY changed)
    // Empty until a test has ended: "Connected." or the error's own text.
    Q_PROPERTY(QString result READ result NOTIFY changed)
    Q_PROPERTY(bool connected READ connected NOTIFY changed)

public:
    using QObject::QObject;

    bool testing() const { return testing_; }
    QString result() const { return result_; }
    bool connected() const { return connected_; }

    Q_INVOKABLE void run(const QString& key, const QString& model);

signals:
    void changed();

private:
    void finish(bool connected, const QString& result);

    bool testing_ = false;
    QString result_;
    bool connected_ = false;
};

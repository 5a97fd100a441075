#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqml.h>

// "Check" beside the address of a model server on this computer: which
// models it holds. It stores nothing; the choices made from them are saved
// by the settings.
class ServerCheckController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool checking READ checking NOTIFY changed)
    // The server's models once a check found some.
    Q_PROPERTY(QStringList models READ models NOTIFY changed)
    // Empty, or the one line saying why no models were found.
    Q_PROPERTY(QString problem READ problem NOTIFY changed)
    // The address the models and the problem are about.
    Q_PROPERTY(QString address READ address NOTIFY changed)

public:
    using QObject::QObject;

    bool checking() const { return checking_; }
    QStringList models() const { return models_; }
    QString problem() const { return problem_; }
    QString address() const { return address_; }

    Q_INVOKABLE void run(const QString& address);

signals:
    void changed();

private:
    bool checking_ = false;
    QStringList models_;
    QString problem_;
    QString address_;
};

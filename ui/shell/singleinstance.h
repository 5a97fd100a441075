#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One running application per user and home folder: a second launch asks the
// first to show its panel and then ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);

    static QString defaultName();

    // True when another instance answered and was asked to show itself.
    bool tellRunning();
    // Starts answering later launches; false when the name cannot be taken.
    bool listen();

signals:
    void showRequested();

private:
    void accept();

    QString name_;
    QLocalServer server_;
};

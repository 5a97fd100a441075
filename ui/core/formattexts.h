#pragma once

#include "format.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class FormatTexts : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Format)
    QML_SINGLETON
public:
    using QObject::QObject;
    Q_INVOKABLE QString count(qint64 value) const { return Format::count(value); }
    Q_INVOKABLE QString fileSize(qint64 bytes) const { return Format::fileSize(bytes); }
    Q_INVOKABLE QString cost(double dollars) const { return Format::cost(dollars); }
};

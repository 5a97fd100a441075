#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The number, size and money texts the views show.
namespace Format {
// 25,000 with the locale's grouping separators.
QString count(qint64 value);
// "1.2 MB": decimal units, as file managers count.
QString fileSize(qint64 bytes);
// "<$0.01" for a cost above zero and below a cent, else "$%.2f".
QString cost(double dollars);
} // namespace Format

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

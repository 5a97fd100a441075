#include "format.h"

#include <QCoreApplication>
#include <QLocale>

namespace Format {

constexpr int centDigits = 2;

QString count(qint64 value) {
    return QLocale().toString(value);
}

QString fileSize(qint64 bytes) {
    if (bytes == 0) return QCoreApplication::translate("Format", "Zero KB");
    if (bytes < 1000)
        return QCoreApplication::translate("Format", "%n byte(s)", nullptr, int(bytes));
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

QString date(const QDate& day) {
    return QLocale().toString(day, QLocale::ShortFormat);
}

QString cost(double dollars) {
    const QString dollar = QStringLiteral("$");
    if (dollars > 0 && dollars < 0.01)
        return u'<' + QLocale().toCurrencyString(0.01, dollar, centDigits);
    return QLocale().toCurrencyString(dollars, dollar, centDigits);
}

} // namespace Format

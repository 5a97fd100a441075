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
    // Month abbreviation and day, in the order and with the day mark the
    // locale's short date uses: "Dec 8", "8. Dez.", "8 déc.".
    const QLocale locale;
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype dayAt = shortFormat.indexOf(u'd');
    if (dayAt < 0 || dayAt > shortFormat.indexOf(u'M')) return locale.toString(day, u"MMM d");
    const bool dottedDay = shortFormat.mid(dayAt).section(u'd', -1).startsWith(u'.');
    return locale.toString(day, dottedDay ? u"d. MMM" : u"d MMM");
}

QString cost(double dollars) {
    const QString dollar = QStringLiteral("$");
    if (dollars > 0 && dollars < 0.01)
        return u'<' + QLocale().toCurrencyString(0.01, dollar, centDigits);
    return QLocale().toCurrencyString(dollars, dollar, centDigits);
}

} // namespace Format

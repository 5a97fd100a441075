#include "format.h"

#include <QCoreApplication>
#include <QLocale>

namespace Format {

QString count(qint64 value) {
    return QLocale().toString(value);
}

QString fileSize(qint64 bytes) {
    if (bytes == 0) return QCoreApplication::translate("Format", "Zero KB");
    if (bytes < 1000) return QCoreApplication::translate("Format", "%1 bytes").arg(bytes);
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

QString cost(double dollars) {
    if (dollars > 0 && dollars < 0.01) return QStringLiteral("<$0.01");
    return QString::asprintf("$%.2f", dollars);
}

} // namespace Format

#pragma once

#include <QDate>
#include <QString>

// The number, size and money texts shown to the user.
namespace Format {
// In the default locale, which the application sets to the user's.
// 25,000 with the locale's grouping separators.
QString count(qint64 value);
// "1.2 MB": decimal units, as file managers count.
QString fileSize(qint64 bytes);
// A day as month abbreviation and day in the locale's order: Dec 8, 8. Dez.
QString date(const QDate& day);
// US dollars as the locale writes them, "$0.42" or "0,42 $"; "<$0.01" for a
// cost above zero and below a cent.
QString cost(double dollars);
} // namespace Format

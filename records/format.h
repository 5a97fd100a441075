#pragma once

#include <QString>

// The number, size and money texts shown to the user.
namespace Format {
// 25,000 with the locale's grouping separators.
QString count(qint64 value);
// "1.2 MB": decimal units, as file managers count.
QString fileSize(qint64 bytes);
// "<$0.01" for a cost above zero and below a cent, else "$%.2f".
QString cost(double dollars);
} // namespace Format

#pragma once

#include <QRegularExpression>
#include <QtGlobal>

// What the folder walk, the content peek and the duplicate check share.
namespace Scanner {

// The hidden names browsers give downloads still in progress.
const QRegularExpression& browserDownload();

} // namespace Scanner

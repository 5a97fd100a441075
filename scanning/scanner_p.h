#pragma once

#include <QRegularExpression>
#include <QtGlobal>

#include <functional>

// What the folder walk, the content peek and the duplicate check share.
namespace Scanner {

// The hidden names browsers give downloads still in progress.
const QRegularExpression& browserDownload();

// Calls body(i) for every i below count, on this thread and on threads of our
// own joined before it returns, so that each can hand back its OpenSSL thread
// state as it ends (pool threads outlive the library's clean-up at exit and
// leak it).
void inParallel(qsizetype count, const std::function<void(qsizetype)>& body);

} // namespace Scanner

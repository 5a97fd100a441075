#pragma once

#include <QDateTime>
#include <QFuture>
#include <QMap>
#include <QTest>

// Real files for tests: written whole (folders made as needed), read back,
// and a tree taken as path → bytes to compare before and after.
namespace TestFiles {

// With a valid time, the file's modification time is set to it.
void write(const QString& path, const QByteArray& bytes, const QDateTime& modified = {});
QByteArray read(const QString& path);

using Tree = QMap<QString, QByteArray>;
Tree snapshot(const QStringList& roots);
Tree snapshot(const QString& root);

} // namespace TestFiles

// The future's result; a future that never finishes ends the run, since
// every step after it would only read an empty result.
template <typename T> T await(QFuture<T> future, int timeout = 120'000) {
    if (!QTest::qWaitFor([&] { return future.isFinished(); }, timeout))
        qFatal("the future never finished");
    return future.result();
}

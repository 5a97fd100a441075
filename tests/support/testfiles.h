#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

// Real files for tests: written whole (folders made as needed), read back,
// and a tree taken as path → bytes to compare before and after.
namespace TestFiles {

inline void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using Tree = QMap<QString, QByteArray>;

inline Tree snapshot(const QStringList& roots) {
    Tree tree;
    for (const QString& root : roots) {
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            tree.insert(path, read(path));
        }
    }
    return tree;
}
inline Tree snapshot(const QString& root) {
    return snapshot(QStringList{root});
}

} // namespace TestFiles

#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

// A throw-away HOME for one test: the data directory, Desktop, Downloads and
// Documents all live inside it, so no test touches the real user's files.
class TestHome {
public:
    TestHome() {
        qputenv("HOME", dir_.path().toLocal8Bit());
        qunsetenv("XDG_DATA_HOME");
        for (const char* name : {"Desktop", "Downloads", "Documents"})
            QDir(dir_.path()).mkpath(QString::fromLatin1(name));
    }
    QString path() const { return dir_.path(); }
    QString path(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }

private:
    QTemporaryDir dir_;
};

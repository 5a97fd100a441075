#pragma once

#include <QStringList>
#include <QTemporaryDir>

// A throw-away HOME for one test: the data and config folders, Desktop,
// Downloads and Documents all live inside it, so no test touches the real
// user's files.
class TestHome {
public:
    TestHome();
    QString path() const { return dir_.path(); }
    QString path(const QString& relative) const;
    // Writes a file under the home, folders made as needed; its full path.
    QString write(const QString& relative, const QByteArray& bytes = "x") const;
    // Saves an onboarded profile with these projects.
    static void onboard(const QStringList& projects = {});

private:
    QTemporaryDir dir_;
};

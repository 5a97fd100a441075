#include "testhome.h"

#include "store.h"
#include "testfiles.h"
#include "testitems.h"

#include <QDir>

TestHome::TestHome() {
    qputenv("HOME", dir_.path().toLocal8Bit());
    // The defaults then fall inside the home.
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    for (const char* name : {"Desktop", "Downloads", "Documents"})
        QDir(dir_.path()).mkpath(QString::fromLatin1(name));
}

QString TestHome::path(const QString& relative) const {
    return dir_.path() + QLatin1Char('/') + relative;
}

QString TestHome::write(const QString& relative, const QByteArray& bytes) const {
    const QString full = path(relative);
    TestFiles::write(full, bytes);
    return full;
}

void TestHome::onboard(const QStringList& projects) {
    Profile profile;
    profile.onboarded = true;
    for (const QString& name : projects)
        profile.projects.append(project(name));
    Store::saveProfile(profile);
}

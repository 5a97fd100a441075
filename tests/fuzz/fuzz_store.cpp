// Arbitrary bytes as every data file at once, then the store's readers and
// its two read-modify-write operations. Whatever the old content, a lesson
// or note just added must be there afterwards and the cap must hold.

#include "store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz_store: %s\n", what);
    std::abort();
}

// A throw-away home for the whole run, so the data folder is never the user's.
void useTemporaryHome() {
    static QTemporaryDir dir;
    static const bool set = [] {
        qputenv("HOME", dir.path().toLocal8Bit());
        qunsetenv("XDG_DATA_HOME");
        return true;
    }();
    (void)set;
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    useTemporaryHome();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* name :
         {"config.json", "profile.json", "pending-plan.json", "lessons.json", "project-notes.json"})
        put(Store::filePath(QString::fromLatin1(name)), bytes);
    QDir().mkpath(QFileInfo(Store::importPlanPath()).path());
    put(Store::importPlanPath(), bytes);

    Store::loadKey();
    Store::loadProfile();
    Store::loadPlan();
    Store::loadImportPlan();
    const qsizetype before = Store::loadLessons().size();
    Store::loadNotes();

    const Lesson lesson{QStringLiteral("fuzz.bin"), QString::fromUtf8(bytes.left(40)),
                        QStringLiteral("Work Admin")};
    Store::addLesson(lesson);
    const QList<Lesson> lessons = Store::loadLessons();
    if (lessons.isEmpty() || lessons.last() != lesson) fail("the new lesson is not last");
    if (lessons.size() > 200 || lessons.size() > before + 1) fail("lessons grew wrongly");

    const QString note = QString::fromUtf8(bytes.left(40));
    Store::saveNotes({{QStringLiteral("Fuzz"), note}});
    if (Store::loadNotes().value(QStringLiteral("Fuzz")) != note) fail("the new note is missing");
    return 0;
}

#include "store.h"

#include "files.h"
#include "json.h"
#include "userfolders.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

#include <sys/stat.h>

namespace Store {

namespace {

constexpr int maxLessons = 200;
const QString planFile = QStringLiteral("pending-plan.json");

std::optional<QJsonValue> readJson(const QString& path) {
    const std::optional<QByteArray> bytes = Files::readSmall(path);
    if (!bytes) return std::nullopt;
    return Json::parse(*bytes);
}

// Private from creation: the folder holds the API key and the user's plans.
QString ensured(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ::mkdir(QFile::encodeName(path).constData(), 0700);
    }
    return path;
}

void writePrivate(const QString& name, const QByteArray& bytes) {
    Files::writeAtomic(filePath(name), bytes, Files::Access::ownerOnly);
}

} // namespace

QString dir() {
    return ensured(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   QStringLiteral("/Tovrin"));
}

QString logsDir() {
    return ensured(dir() + QStringLiteral("/logs"));
}

QString filePath(const QString& name) {
    return dir() + QLatin1Char('/') + name;
}

std::optional<QString> loadKey() {
    const std::optional<QJsonValue> value = readJson(filePath(QStringLiteral("config.json")));
    if (!value || !value->isObject()) return std::nullopt;
    const QJsonObject object = value->toObject();
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!it.value().isString()) return std::nullopt;
    const QJsonValue key = object.value(QStringLiteral("apiKey"));
    if (!key.isString()) return std::nullopt;
    return key.toString();
}

void saveKey(const QString& key) {
    const QJsonObject object{{QStringLiteral("apiKey"), key}};
    writePrivate(QStringLiteral("config.json"), Json::compact(object));
}

std::optional<Profile> loadProfile() {
    const std::optional<QJsonValue> value = readJson(filePath(QStringLiteral("profile.json")));
    if (!value) return std::nullopt;
    return Json::decode<Profile>(*value);
}

void saveProfile(const Profile& profile) {
    writePrivate(QStringLiteral("profile.json"), Json::pretty(Json::encode(profile)));
}

QString planPath() {
    return filePath(planFile);
}

std::optional<QList<PlanItem>> loadPlan() {
    const std::optional<QJsonValue> value = readJson(planPath());
    if (!value) return std::nullopt;
    return Json::decodeList<PlanItem>(*value);
}

void savePlan(const QList<PlanItem>& plan) {
    savePlanJson(Json::compactPlan(plan));
}

void savePlanJson(const QByteArray& json) {
    writePrivate(planFile, json);
}

QList<Lesson> loadLessons() {
    const std::optional<QJsonValue> value = readJson(filePath(QStringLiteral("lessons.json")));
    if (!value) return {};
    return Json::decodeList<Lesson>(*value).value_or(QList<Lesson>());
}

void addLesson(const Lesson& lesson) {
    addLessons({lesson});
}

void addLessons(const QList<Lesson>& added) {
    if (added.isEmpty()) return;
    // Newest first, one lesson a name, the newest kept: one pass even when
    // thousands come at once.
    const QList<Lesson> old = loadLessons();
    QList<Lesson> kept;
    QSet<QString> names;
    for (const QList<Lesson>* from : {&added, &old})
        for (auto it = from->crbegin(); it != from->crend() && kept.size() < maxLessons; ++it)
            if (!names.contains(it->name)) {
                names.insert(it->name);
                kept.append(*it);
            }
    std::reverse(kept.begin(), kept.end());
    writePrivate(QStringLiteral("lessons.json"), Json::compact(Json::encodeList(kept)));
}

QMap<QString, QString> loadNotes() {
    const std::optional<QJsonValue> value =
        readJson(filePath(QStringLiteral("project-notes.json")));
    if (!value || !value->isObject()) return {};
    QMap<QString, QString> notes;
    const QJsonObject object = value->toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isString()) return {};
        notes.insert(it.key(), it.value().toString());
    }
    return notes;
}

void saveNotes(const QMap<QString, QString>& notes) {
    QMap<QString, QString> merged = loadNotes();
    for (auto it = notes.begin(); it != notes.end(); ++it)
        merged.insert(it.key(), it.value());
    QJsonObject object;
    for (auto it = merged.begin(); it != merged.end(); ++it)
        object.insert(it.key(), it.value());
    writePrivate(QStringLiteral("project-notes.json"), Json::compact(object));
}

QStringList loadReturned() {
    const std::optional<QJsonValue> value = readJson(filePath(QStringLiteral("returned.json")));
    if (!value || !value->isArray()) return {};
    QStringList paths;
    for (const QJsonValue& path : value->toArray())
        if (path.isString()) paths.append(path.toString());
    return paths;
}

void addReturned(const QStringList& paths) {
    if (paths.isEmpty()) return;
    const QStringList all = loadReturned() + paths;
    writePrivate(QStringLiteral("returned.json"), Json::compact(QJsonArray::fromStringList(all)));
}

void clearReturned() {
    QFile::remove(filePath(QStringLiteral("returned.json")));
}

QString importPlanPath() {
    return FolderLayout::under(UserFolders::path(UserFolders::documents), FolderLayout::appFolder) +
           QStringLiteral("/import-plan.json");
}

std::optional<QList<PlanItem>> loadImportPlan() {
    const std::optional<QJsonValue> value = readJson(importPlanPath());
    if (!value) return std::nullopt;
    return Json::decodeList<PlanItem>(*value);
}

QString asidePath(const QString& path, const QString& tag, const QDateTime& now) {
    const QFileInfo info(path);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.') +
           tag + QLatin1Char('-') + QString::number(now.toSecsSinceEpoch()) +
           QStringLiteral(".json");
}

void setAside(const QString& path, const QString& tag, const QDateTime& now) {
    QFile::rename(path, asidePath(path, tag, now));
}

std::optional<QString> latestLog() {
    const QDir logs(logsDir());
    QStringList names =
        logs.entryList({QStringLiteral("moves-*.json")}, QDir::Files | QDir::CaseSensitive);
    if (names.isEmpty()) return std::nullopt;
    std::sort(names.begin(), names.end());
    return logs.filePath(names.last());
}

} // namespace Store

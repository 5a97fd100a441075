#pragma once

#include "records.h"

#include <QMap>
#include <QString>

#include <optional>

// The data directory and its small JSON files. Reads that fail give the empty
// result; writes replace a file atomically and failures leave the old file.
namespace Store {

// Created (with parents) on every request; a failure to create is ignored.
QString dir();
QString logsDir();
QString filePath(const QString& name);

std::optional<QString> loadKey();
void saveKey(const QString& key);

std::optional<Profile> loadProfile();
void saveProfile(const Profile& profile);

std::optional<QList<PlanItem>> loadPlan();
void savePlan(const QList<PlanItem>& plan);

QList<Lesson> loadLessons();
void addLesson(const Lesson& lesson);

QMap<QString, QString> loadNotes();
void saveNotes(const QMap<QString, QString>& notes);

// ~/Documents/Tovrin App/import-plan.json
QString importPlanPath();
std::optional<QList<PlanItem>> loadImportPlan();
// Renames the import file aside to "import-plan.loaded-<seconds>.json".
void setImportPlanAside(const QDateTime& now);

// The newest "moves-*.json" in the logs folder, or nothing.
std::optional<QString> latestLog();

} // namespace Store

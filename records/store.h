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

// The pending plan's file.
QString planPath();
std::optional<QList<PlanItem>> loadPlan();
void savePlan(const QList<PlanItem>& plan);
// The same for a plan already made by Json::compactPlan.
void savePlanJson(const QByteArray& json);

QList<Lesson> loadLessons();
void addLesson(const Lesson& lesson);
// Written once for them all.
void addLessons(const QList<Lesson>& added);

QMap<QString, QString> loadNotes();
void saveNotes(const QMap<QString, QString>& notes);

// Files an undo put back since the last refresh ended: the next quick refresh
// takes them as new, though their dates lie before it.
QStringList loadReturned();
void addReturned(const QStringList& paths);
void clearReturned();

// "Tovrin App/import-plan.json" in the Documents folder, wherever the desktop puts it.
QString importPlanPath();
std::optional<QList<PlanItem>> loadImportPlan();

// "<name>.<tag>-<seconds>.json" beside the file "<name>.json".
QString asidePath(const QString& path, const QString& tag, const QDateTime& now);
// Renames a file aside under asidePath, so that the next write under its name
// cannot destroy what it held; an earlier file set aside there is kept.
void setAside(const QString& path, const QString& tag, const QDateTime& now);

// The newest "moves-*.json" in the logs folder, or nothing.
std::optional<QString> latestLog();

} // namespace Store

#pragma once

#include "records.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

// Turns decisions into the sorted plan, and owns the home base's folder layout.
namespace Planner {

inline const QStringList projectSubs = {QStringLiteral("Images"), QStringLiteral("Video"),
                                        QStringLiteral("Docs"),   QStringLiteral("Design"),
                                        QStringLiteral("Audio"),  QStringLiteral("Brand Assets"),
                                        QStringLiteral("Code"),   QStringLiteral("Other")};
inline const QStringList creatorSubs = {
    QStringLiteral("Thumbnails"),  QStringLiteral("Overlays & Branding"),
    QStringLiteral("Banners"),     QStringLiteral("Clips & Edits"),
    QStringLiteral("Raw Footage"), QStringLiteral("Audio"),
    QStringLiteral("Other")};
inline const QStringList librarySubs = {QStringLiteral("Logos & Brand Marks"),
                                        QStringLiteral("Mockups & UI"),
                                        QStringLiteral("Saved Web Pages"),
                                        QStringLiteral("Print & Production"),
                                        QStringLiteral("Reference & Inspiration"),
                                        QStringLiteral("Memes"),
                                        QStringLiteral("Screenshots"),
                                        QStringLiteral("Fonts"),
                                        QStringLiteral("3D & Assets"),
                                        QStringLiteral("Audio"),
                                        QStringLiteral("After Effects Templates"),
                                        QStringLiteral("Design Layers"),
                                        QStringLiteral("Transitions & Presets"),
                                        QStringLiteral("Other")};
inline const QStringList personalSubs = {QStringLiteral("Finance & Receipts"),
                                         QStringLiteral("Documents"),
                                         QStringLiteral("Photos"),
                                         QStringLiteral("Health"),
                                         QStringLiteral("Home"),
                                         QStringLiteral("Travel"),
                                         QStringLiteral("Music"),
                                         QStringLiteral("Other")};

QList<PlanItem> plan(const QList<ScannedItem>& items, const QHash<qint64, Decision>& decisions,
                     const Profile& profile);
QString destination(const ScannedItem& item, const Decision& decision, const Profile& profile);
// The sub folder of a project that a kind of file goes to when none is named.
QString kindSub(FileKind kind);
std::optional<QString> pick(const std::optional<QString>& sub, const QStringList& list);
std::optional<QString> hint(const std::optional<QString>& projectHint, const Profile& profile);

} // namespace Planner

namespace Naming {

// A file name's extension (case kept) and the name without it; a name whose
// only dot leads it has no extension.
QString extension(const QString& name);
QString withoutExtension(const QString& name);
bool isMeaningless(const QString& name);
std::optional<QString> sanitize(const QString& name, const QString& ext);

} // namespace Naming

#include "planner.h"

#include "kinds.h"
#include "sortbykey.h"
#include "vocabulary.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace Planner {

namespace {

const QSet<QString> lowConfidenceExempt = {Category::needsYou, Category::duplicate,
                                           Category::library};
const QSet<QString> neverRenamed = {Category::junk, Category::duplicate, Category::needsYou};

int wordCount(const QString& text) {
    return int(text.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

bool hasLetter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
}

// Project names come from discovery replies and the edited profile too; one
// that leaves no folder of its own, or steps upwards, files nothing.
bool isSafeProjectPath(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'));
    return !path.isEmpty() && std::none_of(parts.cbegin(), parts.cend(), [](const QString& part) {
        return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
    });
}

QString dashColons(QString text) {
    return text.replace(QLatin1Char(':'), QLatin1Char('-'));
}

// A sub folder from the model or an edited plan, colons dashed and cut to one
// name; one that is then no plain name counts as no sub.
std::optional<QString> subFolder(const QString& sub) {
    const QString folder = leftBytes(dashColons(sub).trimmed(), nameBytes);
    if (!isPlainName(folder)) return std::nullopt;
    return folder;
}

const Project* findProject(const QString& wanted, const Profile& profile) {
    for (const Project& project : profile.projects)
        if (project.name.toLower() == wanted || project.displayName().toLower() == wanted)
            return &project;
    return nullptr;
}

QString parentFolder(const ScannedItem& item) {
    return QDir::cleanPath(QFileInfo(item.path()).absolutePath());
}

} // namespace

QString kindSub(FileKind kind) {
    switch (kind) {
    case FileKind::pdf:
    case FileKind::doc:
    case FileKind::sheet:
    case FileKind::slides:
        return QStringLiteral("Docs");
    case FileKind::image:
        return QStringLiteral("Images");
    case FileKind::video:
        return QStringLiteral("Video");
    case FileKind::audio:
        return QStringLiteral("Audio");
    case FileKind::design:
    case FileKind::font:
        return QStringLiteral("Design");
    case FileKind::code:
    case FileKind::project:
        return QStringLiteral("Code");
    case FileKind::folder:
        return QStringLiteral("Folders");
    case FileKind::archive:
    case FileKind::installer:
    case FileKind::partial:
    case FileKind::bundle:
    case FileKind::other:
        break;
    }
    return QStringLiteral("Other");
}

std::optional<QString> pick(const std::optional<QString>& sub, const QStringList& list) {
    if (!sub) return std::nullopt;
    for (const QString& entry : list)
        if (entry.compare(*sub, Qt::CaseInsensitive) == 0) return entry;
    const QString trimmed = sub->trimmed();
    if (wordCount(trimmed) < 1 || wordCount(trimmed) > 4 || charCount(trimmed) > 32 ||
        !hasLetter(trimmed))
        return std::nullopt;
    std::optional<QString> folder = subFolder(trimmed);
    if (!folder) return std::nullopt;
    (*folder)[0] = folder->at(0).toUpper();
    return folder;
}

namespace {

QString folderFor(const ScannedItem& item, const Decision& decision, const Profile& profile) {
    using namespace FolderLayout;
    const QString& category = decision.category;
    if (const std::optional<QString> name = Category::projectOf(category)) {
        const Project* project = findProject(name->toLower(), profile);
        if (!project || !isSafeProjectPath(project->folderPath())) return needsYou;
        return under(under(projects, project->folderPath()),
                     pick(decision.sub, projectSubs).value_or(kindSub(item.kind)));
    }
    const QString other = QStringLiteral("Other");
    if (category == Category::creator)
        return under(creator, pick(decision.sub, creatorSubs).value_or(other));
    if (category == Category::personal)
        return under(personal, pick(decision.sub, personalSubs).value_or(other));
    if (category == Category::library)
        return under(library, pick(decision.sub, librarySubs).value_or(other));
    if (category == Category::admin) return workAdmin;
    if (category == Category::archive)
        return under(archive, QStringLiteral("%1").arg(item.modified.toLocalTime().date().year(), 4,
                                                       10, QLatin1Char('0')));
    if (category == Category::junk) {
        return under(toDelete, subFolder(decision.sub.value_or(QString()))
                                   .value_or(QStringLiteral("Screenshots & images")));
    }
    if (category == Category::duplicate) return duplicates;
    return needsYou;
}

} // namespace

QString destination(const ScannedItem& item, const Decision& decision, const Profile& profile) {
    return fitFolderNames(folderFor(item, decision, profile));
}

std::optional<QString> hint(const std::optional<QString>& projectHint, const Profile& profile) {
    if (!projectHint) return std::nullopt;
    const QString trimmed = projectHint->trimmed();
    if (charCount(trimmed) < 3) return std::nullopt;
    const QString lower = trimmed.toLower();
    for (const Project& project : profile.projects)
        if (project.displayName().toLower() == lower || project.name.toLower() == lower)
            return std::nullopt;
    return trimmed;
}

QList<PlanItem> plan(const QList<ScannedItem>& items, const QHash<qint64, Decision>& decisions,
                     const Profile& profile) {
    // Walking the items rather than the hash keeps equal sort keys in scan
    // order, so the same refresh always gives the same plan.
    QSet<qint64> seen;
    QList<PlanItem> out;
    for (const ScannedItem& item : items) {
        const auto found = decisions.constFind(item.id);
        if (found == decisions.cend() || seen.contains(item.id)) continue;
        seen.insert(item.id);
        Decision decision = *found;
        if (decision.category == Category::junk && Kinds::hardProtected().contains(item.kind))
            decision = {Category::needsYou,
                        std::nullopt,
                        Confidence::low,
                        std::nullopt,
                        QStringLiteral("Protected file type, never treated as junk"),
                        std::nullopt};
        if (decision.confidence == Confidence::low &&
            !lowConfidenceExempt.contains(decision.category)) {
            decision.category = Category::needsYou;
            decision.reason = QStringLiteral("Best guess: ") + decision.reason;
        }
        const QString dest = destination(item, decision, profile);
        QString category = dest == FolderLayout::needsYou ? Category::needsYou : decision.category;

        std::optional<QString> newName;
        if (profile.renameFiles && !item.isDir && decision.newName &&
            Naming::isMeaningless(item.name) && !neverRenamed.contains(category))
            newName = Naming::sanitize(*decision.newName, Naming::extension(item.url.fileName()));

        const QString full = QDir::cleanPath(profile.homeBase + QLatin1Char('/') + dest);
        if (!newName && parentFolder(item) == full) continue;

        PlanItem entry;
        entry.id = item.id;
        entry.src = item.url;
        entry.destFolder = dest;
        entry.category = category;
        entry.confidence = decision.confidence;
        entry.reason = decision.reason;
        entry.newName = newName;
        entry.kind = item.kind;
        entry.size = item.size;
        entry.approved = !Category::isNeedsYou(category);
        entry.renameApproved = true;
        entry.suggestedProject = hint(decision.projectHint, profile);
        entry.refused = decision.refused;
        out.append(entry);
    }
    sortByKey(out,
              [](const PlanItem& item) { return std::pair(item.destFolder, item.src.fileName()); });
    return out;
}

} // namespace Planner

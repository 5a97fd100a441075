#include "rules.h"

#include "kinds.h"
#include "vocabulary.h"

#include <algorithm>

namespace Rules {

namespace {

Decision ruled(const QString& category, const std::optional<QString>& sub, const QString& reason) {
    return {category, sub, Confidence::high, std::nullopt, reason, std::nullopt};
}

bool anyIn(const QStringList& terms, const QString& haystack) {
    for (const QString& term : terms)
        if (haystack.contains(term)) return true;
    return false;
}

// The scan folder's own path names no project: an alias "down" must not
// claim everything in Downloads.
QString belowScanFolder(const ScannedItem& item, const QStringList& scanRoots) {
    const QString path = item.path();
    qsizetype below = -1;
    for (const QString& root : scanRoots)
        if (path.startsWith(root + QLatin1Char('/'))) below = std::max(below, root.size() + 1);
    return below < 0 ? item.name : path.mid(below);
}

} // namespace

std::optional<Decision> junkDecision(const ScannedItem& item, bool keepInstallers) {
    const QStringList& hints = item.junkHints;
    if (hints.contains(JunkHint::exactDuplicate))
        return ruled(Category::duplicate, std::nullopt,
                     QStringLiteral("Exact copy of a file you're keeping"));
    if (Kinds::hardProtected().contains(item.kind)) return std::nullopt;
    if (hints.contains(JunkHint::partialDownload))
        return ruled(Category::junk, QStringLiteral("Unfinished downloads"),
                     QStringLiteral("Leftover from a download that never finished"));
    if (hints.contains(JunkHint::emptyFile))
        return ruled(Category::junk, QStringLiteral("Empty files"), QStringLiteral("Empty file"));
    if (hints.contains(JunkHint::installer) && !keepInstallers)
        return ruled(Category::junk, QStringLiteral("Installers"), QStringLiteral("App installer"));
    if (hints.contains(JunkHint::alreadyExtractedArchive))
        return ruled(Category::junk, QStringLiteral("Already unzipped"),
                     QStringLiteral("Its unzipped folder is right next to it"));
    return std::nullopt;
}

std::optional<Decision> keywordDecision(const ScannedItem& item, const QList<Project>& projects,
                                        const QStringList& scanRoots) {
    const QString names =
        (belowScanFolder(item, scanRoots) + QLatin1Char(' ') + item.whereFrom.value_or(QString()))
            .toLower();
    const QString content = item.text.value_or(QString()).toLower();

    const Project* matched = nullptr;
    bool byName = false;
    int count = 0;
    for (const Project& project : projects) {
        const QStringList terms = project.terms();
        const bool name = anyIn(terms, names);
        if (!name && !anyIn(terms, content)) continue;
        if (++count > 1) return std::nullopt;
        matched = &project;
        byName = name;
    }
    if (!matched) return std::nullopt;
    const QString display = matched->displayName();
    return ruled(Category::ofProject(matched->name), std::nullopt,
                 byName ? QStringLiteral("Matched %1 in its name or folder").arg(display)
                        : QStringLiteral("Mentions %1 inside").arg(display));
}

} // namespace Rules

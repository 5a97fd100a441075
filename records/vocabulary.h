#pragma once

#include <QString>

#include <optional>

// The words plans and scans are written in, as they stand in the plan files,
// and the folders the plan files into under the home base.

namespace Category {

inline const QString projectPrefix = QStringLiteral("project:");
inline const QString creator = QStringLiteral("creator");
inline const QString personal = QStringLiteral("personal");
inline const QString library = QStringLiteral("library");
inline const QString admin = QStringLiteral("admin");
inline const QString archive = QStringLiteral("archive");
inline const QString junk = QStringLiteral("junk");
inline const QString duplicate = QStringLiteral("duplicate");
inline const QString needsYou = QStringLiteral("needs-you");
// A destination the user chose in review.
inline const QString user = QStringLiteral("user");

// Junk and duplicates: moved to the review folders for the user to empty.
inline bool isClearOut(const QString& category) {
    return category == junk || category == duplicate;
}

inline bool isNeedsYou(const QString& category) {
    return category == needsYou;
}

// The project name a "project:" category names, as written.
inline std::optional<QString> projectOf(const QString& category) {
    if (!category.startsWith(projectPrefix)) return std::nullopt;
    return category.mid(projectPrefix.size());
}

inline QString ofProject(const QString& name) {
    return projectPrefix + name;
}

} // namespace Category

namespace Confidence {
inline const QString high = QStringLiteral("high");
inline const QString medium = QStringLiteral("medium");
inline const QString low = QStringLiteral("low");
} // namespace Confidence

namespace JunkHint {
inline const QString exactDuplicate = QStringLiteral("exact-duplicate");
inline const QString partialDownload = QStringLiteral("partial-download");
inline const QString emptyFile = QStringLiteral("empty-file");
inline const QString installer = QStringLiteral("installer");
inline const QString alreadyExtractedArchive = QStringLiteral("already-extracted-archive");
inline const QString screenshotName = QStringLiteral("screenshot-name");
inline const QString tinyImage = QStringLiteral("tiny-image");
inline const QString copyStyleName = QStringLiteral("copy-style-name");
} // namespace JunkHint

// Folders relative to the home base, "/" between levels. The planner files
// everything under these; the rest of the system only reads them.
namespace FolderLayout {
inline const QString projects = QStringLiteral("Projects");
inline const QString creator = QStringLiteral("Creator");
inline const QString personal = QStringLiteral("Personal");
inline const QString library = QStringLiteral("Library");
inline const QString workAdmin = QStringLiteral("Work Admin");
inline const QString archive = QStringLiteral("Archive");
inline const QString review = QStringLiteral("Tovrin Review");
inline const QString toDelete = review + QStringLiteral("/To Delete - Review First");
inline const QString duplicates = review + QStringLiteral("/Duplicates - Review First");
inline const QString needsYou = review + QStringLiteral("/Needs You");
// Application folders that may sit under the home base, ours (it holds the
// plan import file) and a companion's: never walked, never filed into.
inline const QString appFolder = QStringLiteral("Tovrin App");
inline const QString companionFolder = QStringLiteral("Quillon");

// `folder` one level below `parent`.
inline QString under(const QString& parent, const QString& folder) {
    return parent + QLatin1Char('/') + folder;
}
} // namespace FolderLayout

#include "records.h"

#include <QDir>

#include <array>

namespace {

constexpr std::array<const char*, 17> kindNames = {
    "pdf",       "image", "video", "audio",   "design", "doc",     "sheet",  "slides", "archive",
    "installer", "code",  "font",  "partial", "bundle", "project", "folder", "other",
};

QStringList nonEmptyParts(const QString& text) {
    return text.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

QString toString(FileKind kind) {
    return QString::fromLatin1(kindNames[static_cast<size_t>(kind)]);
}

std::optional<FileKind> fileKindFromString(const QString& raw) {
    for (size_t i = 0; i < kindNames.size(); ++i)
        if (raw == QLatin1String(kindNames[i])) return static_cast<FileKind>(i);
    return std::nullopt;
}

QDateTime distantPast() {
    return QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
}

QString trimSpacesTabs(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (start < end && blank(text[start]))
        ++start;
    while (end > start && blank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

QString ScannedItem::relPath() const {
    const QString full = path();
    const QString home = QDir::homePath();
    // Only at a folder boundary: /home/ann2/x is not inside /home/ann.
    if (home.size() > 1 && full.startsWith(home) &&
        (full.size() == home.size() || full.at(home.size()) == QLatin1Char('/')))
        return QLatin1Char('~') + full.mid(home.size());
    return full;
}

QString PlanItem::group() const {
    const QStringList parts = nonEmptyParts(destFolder);
    if (parts.isEmpty()) return QStringLiteral("Other");
    if (parts.size() >= 2 &&
        (parts[0] == QLatin1String("Projects") || parts[0] == QLatin1String("Tovrin Review")))
        return parts[1];
    if (parts.size() >= 2 && parts[0] == QLatin1String("Library"))
        return QStringLiteral("Library \u00B7 ") + parts[1];
    return parts[0];
}

QString Project::displayName() const {
    const QStringList parts = name.split(QLatin1Char('/'));
    for (qsizetype i = parts.size() - 1; i >= 0; --i)
        if (!parts[i].isEmpty()) return trimSpacesTabs(parts[i]);
    return trimSpacesTabs(name);
}

QString Project::folderPath() const {
    QStringList kept;
    for (const QString& part : name.split(QLatin1Char('/'))) {
        QString clean = part;
        clean.replace(QLatin1Char(':'), QLatin1Char('-'));
        clean = clean.trimmed();
        // A name from a model reply must not climb out of the projects folder.
        if (!clean.isEmpty() && clean != QLatin1String(".") && clean != QLatin1String(".."))
            kept.append(clean);
    }
    return kept.join(QLatin1Char('/'));
}

QStringList Project::terms() const {
    QStringList candidates = {name.toLower(), displayName().toLower()};
    for (const QString& alias : aliases.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString term = trimSpacesTabs(alias).toLower();
        candidates.append(term);
    }
    QStringList result;
    for (const QString& term : candidates)
        // Counted without edge blanks: "   " would otherwise match any name with three spaces.
        if (trimSpacesTabs(term).size() > 2 && !result.contains(term)) result.append(term);
    return result;
}

QString Profile::defaultHomeBase() {
    return QDir::homePath() + QStringLiteral("/Documents");
}

QString leftChars(const QString& text, qsizetype n) {
    qsizetype units = 0;
    for (qsizetype chars = 0; chars < n && units < text.size(); ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return text.left(units);
}

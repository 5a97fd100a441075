#include "records.h"

#include "vocabulary.h"

#include <QDir>
#include <QStringTokenizer>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 17> kindNames = {
    "pdf",       "image", "video", "audio",   "design", "doc",     "sheet",  "slides", "archive",
    "installer", "code",  "font",  "partial", "bundle", "project", "folder", "other",
};

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

// Read for every item whenever the review lists are rebuilt, so the folder is
// looked at in place rather than split.
QString PlanItem::group() const {
    QStringView parts[2];
    int found = 0;
    for (QStringView part : QStringTokenizer(destFolder, u'/', Qt::SkipEmptyParts)) {
        parts[found++] = part;
        if (found == 2) break;
    }
    if (found == 0) return QStringLiteral("Other");
    if (found == 2 && (parts[0] == FolderLayout::projects || parts[0] == FolderLayout::review))
        return parts[1].toString();
    if (found == 2 && parts[0] == FolderLayout::library)
        return QStringLiteral("Library \u00B7 ").append(parts[1]);
    return parts[0].toString();
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
        if (charCount(trimSpacesTabs(term)) > 2 && !result.contains(term)) result.append(term);
    return result;
}

QDateTime HistoryEntry::started() const {
    static const QString prefix = QStringLiteral("moves-");
    static const QString format = QStringLiteral("yyyy-MM-dd_HHmmss");
    return QDateTime::fromString(log.mid(prefix.size(), format.size()), format);
}

QString Profile::defaultHomeBase() {
    return UserFolders::path(UserFolders::documents);
}

namespace {

// The next character boundary. Next to some scripts the finder also reports
// places inside a surrogate pair, which are none.
qsizetype nextBoundary(QTextBoundaryFinder& graphemes, QStringView text) {
    qsizetype at = graphemes.toNextBoundary();
    while (at > 0 && at < text.size() && text[at - 1].isHighSurrogate() &&
           text[at].isLowSurrogate())
        at = graphemes.toNextBoundary();
    return at;
}

// The end of the longest run of steps from the start whose UTF-8 fits.
template <typename Next> qsizetype fittingEnd(QStringView text, qsizetype bytes, Next next) {
    qsizetype end = 0;
    qsizetype used = 0;
    for (qsizetype to = next(); to > end; to = next()) {
        used += text.sliced(end, to - end).toUtf8().size();
        if (used > bytes) break;
        end = to;
    }
    return end;
}

} // namespace

qsizetype charCount(const QString& text) {
    // Below the combining marks, and past the controls, every unit is a
    // character of its own; most names need no analysis.
    if (std::all_of(text.cbegin(), text.cend(),
                    [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x300; }))
        return text.size();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (nextBoundary(graphemes, text) > 0)
        ++count;
    return count;
}

QString leftChars(const QString& text, qsizetype n) {
    if (n <= 0) return {};
    if (text.size() <= n) return text;
    // The boundary finder analyses all it is given, so it first gets a window
    // that is nearly always enough; a boundary inside the window does not
    // depend on what follows it.
    for (qsizetype window = std::min<qsizetype>(text.size(), 2 * n + 16);; window = text.size()) {
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text.constData(), window);
        qsizetype end = 0;
        qsizetype count = 0;
        for (; count < n; ++count) {
            const qsizetype next = nextBoundary(graphemes, text);
            if (next < 0 || (next == window && window < text.size())) break;
            end = next;
        }
        if (count == n) return text.left(end);
        if (window == text.size()) return text;
    }
}

QString leftBytes(const QString& text, qsizetype bytes) {
    if (text.toUtf8().size() <= bytes) return text;
    // Every character takes a byte at least, so what fits lies in this window.
    const qsizetype window = std::min<qsizetype>(text.size(), std::max<qsizetype>(bytes, 0) + 2);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text.constData(), window);
    const qsizetype end = fittingEnd(text, bytes, [&] { return nextBoundary(graphemes, text); });
    if (end > 0) return text.left(end);
    qsizetype at = 0;
    return text.left(fittingEnd(text, bytes, [&text, &at]() -> qsizetype {
        if (at >= text.size()) return -1;
        const bool pair = text.at(at).isHighSurrogate() && at + 1 < text.size() &&
                          text.at(at + 1).isLowSurrogate();
        return at += pair ? 2 : 1;
    }));
}

bool isPlainName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.toUtf8().size() > nameBytes)
        return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') ||
               c.category() == QChar::Other_Control; // C0, DEL and C1
    });
}

QString fitFolderNames(const QString& path) {
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString& part : parts)
        part = leftBytes(part, nameBytes);
    return parts.join(QLatin1Char('/'));
}

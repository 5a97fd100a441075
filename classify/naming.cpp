#include "planner.h"

#include <QRegularExpression>

#include <algorithm>

namespace Naming {

namespace {

constexpr qsizetype longestName = 120;

// The text after the last dot, case kept; a leading dot alone starts no extension.
qsizetype extensionDot(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? dot : -1;
}

const QList<QRegularExpression>& patterns() {
    static const QList<QRegularExpression> list = [] {
        QList<QRegularExpression> out;
        for (const char* p : {"^[0-9a-f]{8}-[0-9a-f]{4}", "^img[_-]?\\d+", "^dsc[_-]?\\d+", "^pxl_",
                              "^untitled", "^image( ?\\(\\d+\\))?$", "^download( ?\\(\\d+\\))?$",
                              "^\\d+x\\d+", "^[0-9a-f]{16,}$", "^\\d{6,}", "^screen ?shot",
                              "^screenshot", "^-?1x-1", "^export( ?\\(\\d+\\))?$", "^final",
                              "^copy of", "^unnamed", "^file( ?\\(\\d+\\))?$", "^\\+$"})
            out.append(QRegularExpression(QString::fromLatin1(p),
                                          QRegularExpression::UseUnicodePropertiesOption));
        return out;
    }();
    return list;
}

bool isControl(QChar c) {
    return c.category() == QChar::Other_Control; // C0, DEL and C1
}

} // namespace

QString withoutExtension(const QString& name) {
    const qsizetype dot = extensionDot(name);
    return dot < 0 ? name : name.left(dot);
}

QString extension(const QString& name) {
    const qsizetype dot = extensionDot(name);
    return dot < 0 ? QString() : name.mid(dot + 1);
}

bool isMeaningless(const QString& name) {
    const QString stem = withoutExtension(name).toLower();
    for (const QRegularExpression& pattern : patterns())
        if (pattern.match(stem).hasMatch()) return true;
    return false;
}

std::optional<QString> sanitize(const QString& name, const QString& ext) {
    QString clean = name;
    for (const QChar separator : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        clean.replace(separator, QLatin1Char('-'));
    // Names also come from edited plan files: no control character survives.
    clean.removeIf(isControl);
    clean = clean.trimmed();
    while (clean.startsWith(QLatin1Char('.')))
        clean.remove(0, 1);
    clean = leftChars(clean, longestName);
    if (clean.isEmpty()) return std::nullopt;
    const QString dotted = ext.isEmpty() ? QString() : QLatin1Char('.') + ext;
    const bool ended = clean.endsWith(dotted, Qt::CaseInsensitive);
    // The extension is kept as it is, so one that is not a plain name refuses the rename.
    if (!ended &&
        (ext.contains(QLatin1Char('/')) || std::any_of(ext.cbegin(), ext.cend(), isControl)))
        return std::nullopt;
    // Cut to what the file system takes, the extension whole and in the case given.
    const QString tail = ended ? clean.right(dotted.size()) : dotted;
    const QString stem =
        leftBytes(clean.chopped(ended ? tail.size() : 0), nameBytes - tail.toUtf8().size());
    if (stem.isEmpty()) return std::nullopt;
    return stem + tail;
}

} // namespace Naming

#include "kinds.h"
#include "scanner.h"
#include "thumbnails.h"
#include "xattr.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <poppler-qt6.h>
#include <zip.h>

#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace Scanner {

namespace {

constexpr qint64 largestSampled = 60'000'000;
constexpr qint64 textBytes = 6000;
constexpr int pdfPages = 3;
constexpr qint64 memberBytes = 300'000;
constexpr quint64 membersLooked = 10'000;
constexpr int cleanChars = 800;
constexpr int summaryKinds = 5;
constexpr int summaryNames = 25;
constexpr int tinyBelow = 65;

#ifdef Q_OS_MACOS
constexpr const char* originAttribute = "com.apple.metadata:kMDItemWhereFroms";
#else
// Browsers on Linux store the download URL itself here.
constexpr const char* originAttribute = "user.xdg.origin.url";
#endif

const QSet<QString>& textExtensions() {
    static const QSet<QString> set = {"txt", "md",  "markdown", "csv",  "tsv", "json", "html",
                                      "htm", "rtf", "yml",      "yaml", "svg", "sol"};
    return set;
}

bool isRegularFile(const QString& path) {
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString fromUtf8Lossy(const QByteArray& bytes) {
    return QString::fromUtf8(bytes); // invalid sequences become U+FFFD
}

void silencePoppler() {
    static const bool once = [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
        return true;
    }();
    (void)once;
}

std::optional<QString> pdfText(const QString& path) {
    silencePoppler();
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    if (!doc) return std::nullopt;
    QString text;
    if (!doc->isLocked()) {
        const int pages = std::min(doc->numPages(), pdfPages);
        for (int i = 0; i < pages; ++i)
            if (std::unique_ptr<Poppler::Page> page = doc->page(i))
                text += QLatin1Char(' ') + page->text(QRectF());
    }
    return text;
}

// Reads from an open member until `bytes` holds `limit` bytes or the member
// ends; never trusts the declared size.
void readMember(zip_file_t* file, QByteArray& bytes, qint64 limit) {
    char buffer[16384];
    while (bytes.size() < limit) {
        const zip_int64_t got =
            zip_fread(file, buffer, std::min<zip_uint64_t>(sizeof buffer, limit - bytes.size()));
        if (got <= 0) break;
        bytes.append(buffer, qsizetype(got));
    }
}

bool memberMatches(const char* name, const QByteArray& member) {
    const qsizetype star = member.indexOf('*');
    const QByteArray entry(name);
    if (star < 0) return entry == member;
    const QByteArray head = member.left(star);
    const QByteArray tail = member.mid(star + 1);
    return entry.size() >= head.size() + tail.size() && entry.startsWith(head) &&
           entry.endsWith(tail);
}

quint64 littleEndian(const QByteArray& bytes, qsizetype at, int width) {
    quint64 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

// The entry count an archive declares in its end record (zip64 included), read
// before opening: the zip library keeps every central directory entry in
// memory, so an archive declaring a huge count costs memory before any check.
std::optional<quint64> declaredMembers(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 tail = std::min<qint64>(file.size(), 65'535 + 22);
    if (tail < 22 || !file.seek(file.size() - tail)) return std::nullopt;
    const QByteArray end = file.read(tail);
    const qsizetype record = end.lastIndexOf("PK\x05\x06");
    if (record < 0 || record + 22 > end.size()) return std::nullopt;
    const quint64 count = littleEndian(end, record + 10, 2);
    if (count != 0xffff || record < 20 || !end.mid(record - 20, 4).startsWith("PK\x06\x07"))
        return count;
    const quint64 at = littleEndian(end, record - 20 + 8, 8);
    if (at > quint64(file.size()) || !file.seek(qint64(at))) return std::nullopt;
    const QByteArray zip64 = file.read(56);
    if (zip64.size() < 56 || !zip64.startsWith("PK\x06\x06")) return std::nullopt;
    return littleEndian(zip64, 32, 8);
}

// White space as "\s" matches it with Unicode properties: the ASCII controls
// tab to carriage return, and every separator.
bool isWhite(QChar c) {
    const char16_t u = c.unicode();
    if (u == u' ' || (u >= u'\t' && u <= u'\r')) return true;
    if (u < 0x80) return false;
    const QChar::Category category = c.category();
    return category == QChar::Separator_Space || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

} // namespace

// One pass with the meaning of replacing "<[^>]+>" by a space, collapsing
// "\s+" to one space and trimming; regular expressions cost ten times more
// on every sample.
QString clean(const QString& text) {
    QString out;
    out.reserve(std::min<qsizetype>(text.size(), 4 * cleanChars));
    bool pendingSpace = false;
    auto put = [&](QChar c) {
        if (isWhite(c)) {
            pendingSpace = true;
            return;
        }
        if (pendingSpace && !out.isEmpty()) out.append(QLatin1Char(' '));
        pendingSpace = false;
        out.append(c);
    };
    qsizetype nextClose = text.indexOf(QLatin1Char('>'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('<') && nextClose >= 0) {
            if (nextClose <= i) nextClose = text.indexOf(QLatin1Char('>'), i + 1);
            if (nextClose > i + 1) { // a tag holds at least one character
                pendingSpace = true;
                i = nextClose;
                nextClose = text.indexOf(QLatin1Char('>'), i + 1);
                continue;
            }
        }
        put(text[i]);
    }
    return leftChars(out, cleanChars);
}

std::optional<QString> unzip(const QString& path, const QString& member) {
    // Same result as printing the member with an unzip tool: nothing printed
    // (not a zip, no such member) is an empty text, not an absent one.
    // More members than any document holds: hostile, and read as printing nothing.
    if (!isRegularFile(path) || declaredMembers(path).value_or(0) > membersLooked) return QString();
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive) return QString();
    const QByteArray wanted = member.toUtf8();
    QByteArray bytes;
    const zip_int64_t count =
        std::min<zip_int64_t>(zip_get_num_entries(archive, 0), zip_int64_t(membersLooked));
    for (zip_int64_t i = 0; i < count && bytes.size() < memberBytes; ++i) {
        const char* name = zip_get_name(archive, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!name || !memberMatches(name, wanted)) continue;
        if (zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0)) {
            readMember(file, bytes, memberBytes);
            zip_fclose(file);
        }
    }
    zip_discard(archive);
    return fromUtf8Lossy(bytes);
}

std::optional<QString> snippet(const QString& path, const QString& ext, qint64 size) {
    if (size <= 0 || size >= largestSampled) return std::nullopt;
    // Readers below open by path and would wait forever on a pipe.
    if (!isRegularFile(path)) return std::nullopt;
    if (ext == QLatin1String("pdf")) {
        const std::optional<QString> text = pdfText(path);
        return text ? std::optional(clean(*text)) : std::nullopt;
    }
    if (textExtensions().contains(ext)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        return clean(fromUtf8Lossy(file.read(textBytes)));
    }
    static const QHash<QString, QString> members = {{"docx", "word/document.xml"},
                                                    {"pptx", "ppt/slides/slide*.xml"},
                                                    {"xlsx", "xl/sharedStrings.xml"}};
    const auto member = members.constFind(ext);
    if (member == members.cend()) return std::nullopt;
    const std::optional<QString> text = unzip(path, *member);
    if (!text) return std::nullopt;
    return clean(*text);
}

std::optional<QString> whereFrom(const QString& path) {
    const std::optional<QByteArray> value = Xattr::read(path, originAttribute);
    if (!value || value->isEmpty()) return std::nullopt;
#ifdef Q_OS_MACOS
    return firstOfStrings(*value);
#else
    return fromUtf8Lossy(*value);
#endif
}

std::optional<QString> firstOfStrings(const QByteArray& plist) {
    // bplist00: objects, an offset table, and a 32-byte trailer that points
    // at both. Every read is checked against the buffer.
    const auto* bytes = reinterpret_cast<const unsigned char*>(plist.constData());
    const quint64 length = quint64(plist.size());
    if (length < 40 || !plist.startsWith("bplist00")) return std::nullopt;
    auto number = [&](quint64 at, quint64 width) -> std::optional<quint64> {
        if (width == 0 || width > 8 || at > length || width > length - at) return std::nullopt;
        quint64 value = 0;
        for (quint64 i = 0; i < width; ++i)
            value = value << 8 | bytes[at + i];
        return value;
    };
    const quint64 trailer = length - 32;
    const quint64 offsetWidth = bytes[trailer + 6];
    const quint64 refWidth = bytes[trailer + 7];
    const auto count = number(trailer + 8, 8);
    const auto top = number(trailer + 16, 8);
    const auto table = number(trailer + 24, 8);
    if (!count || !top || !table || *top >= *count || *table >= trailer) return std::nullopt;
    if (offsetWidth < 1 || offsetWidth > 8 || refWidth < 1 || refWidth > 8) return std::nullopt;
    auto objectAt = [&](quint64 ref) -> std::optional<quint64> {
        if (ref >= *count || ref > length / offsetWidth) return std::nullopt;
        const auto at = number(*table + ref * offsetWidth, offsetWidth);
        if (!at || *at >= trailer) return std::nullopt;
        return at;
    };
    // Marker nibble 0xF means the count follows as an integer object.
    auto header = [&](quint64 at) -> std::optional<std::pair<quint64, quint64>> {
        const quint64 small = bytes[at] & 0x0f;
        if (small != 0x0f) return std::pair{small, at + 1};
        if (at + 1 >= trailer || (bytes[at + 1] & 0xf0) != 0x10) return std::nullopt;
        const quint64 width = quint64(1) << (bytes[at + 1] & 0x0f);
        const auto big = number(at + 2, width);
        if (!big) return std::nullopt;
        return std::pair{*big, at + 2 + width};
    };
    struct Span {
        int type;
        quint64 count, start;
    };
    // A string object (ASCII or UTF-16), checked to lie within the objects.
    auto stringAt = [&](quint64 ref) -> std::optional<Span> {
        const auto at = objectAt(ref);
        if (!at) return std::nullopt;
        const int type = bytes[*at] >> 4;
        const auto head = header(*at);
        if (!head || (type != 0x5 && type != 0x6)) return std::nullopt;
        const auto [chars, start] = *head;
        const quint64 width = type == 0x5 ? 1 : 2;
        if (start > trailer || chars > (trailer - start) / width) return std::nullopt;
        return Span{type, chars, start};
    };
    const auto array = objectAt(*top);
    if (!array || bytes[*array] >> 4 != 0xa) return std::nullopt;
    const auto head = header(*array);
    if (!head) return std::nullopt;
    const auto [members, start] = *head;
    if (members == 0 || start > trailer || members > (trailer - start) / refWidth)
        return std::nullopt;
    std::optional<Span> first;
    for (quint64 i = 0; i < members; ++i) {
        const auto ref = number(start + i * refWidth, refWidth);
        const auto text = ref ? stringAt(*ref) : std::nullopt;
        if (!text) return std::nullopt; // not a list of strings
        if (i == 0) first = text;
    }
    if (first->type == 0x5)
        return QString::fromLatin1(plist.constData() + first->start, qsizetype(first->count));
    QString text(qsizetype(first->count), Qt::Uninitialized);
    for (quint64 i = 0; i < first->count; ++i) {
        const quint64 at = first->start + 2 * i;
        text[qsizetype(i)] = QChar(char16_t(bytes[at] << 8 | bytes[at + 1]));
    }
    return text;
}

std::optional<QString> peek(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) return std::nullopt;
    QStringList names = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    names.removeIf([](const QString& name) { return name.startsWith(QLatin1Char('.')); });
    if (names.isEmpty()) return QStringLiteral("Empty folder");
    QHash<QString, int> kinds;
    for (const QString& name : names)
        ++kinds[toString(Kinds::map().value(Kinds::extension(name), FileKind::other))];
    QList<std::pair<QString, int>> counted(kinds.keyValueBegin(), kinds.keyValueEnd());
    std::sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    QStringList kindTexts;
    for (qsizetype i = 0; i < counted.size() && i < summaryKinds; ++i)
        kindTexts.append(QStringLiteral("%1 %2").arg(counted[i].second).arg(counted[i].first));
    std::sort(names.begin(), names.end());
    return QStringLiteral("Folder with %1 items (%2). Contents: %3")
        .arg(names.size())
        .arg(kindTexts.join(QStringLiteral(", ")), names.mid(0, summaryNames).join(" | "));
}

bool isTinyImage(const QString& path) {
    const std::optional<QSize> size = Thumbnails::pixelSize(path);
    return !size || std::max(size->width(), size->height()) < tinyBelow;
}

} // namespace Scanner

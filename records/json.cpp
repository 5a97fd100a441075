#include "json.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <limits>

namespace Json {

namespace {

// Reads required and optional members of one object; any failure sticks, so a
// decoder can read every field and check once at the end.
class Reader {
public:
    explicit Reader(const QJsonValue& value) : object_(value.toObject()), ok_(value.isObject()) {}

    bool ok() const { return ok_; }

    QString string(const char* key) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (!v.isString()) ok_ = false;
        return v.toString();
    }
    std::optional<QString> optionalString(const char* key) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull()) return std::nullopt;
        if (!v.isString()) ok_ = false;
        return v.toString();
    }
    bool boolean(const char* key) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (!v.isBool()) ok_ = false;
        return v.toBool();
    }
    qint64 number(const char* key) {
        const std::optional<qint64> n = integer(object_.value(QLatin1String(key)));
        if (!n) ok_ = false;
        return n.value_or(0);
    }
    QDateTime date(const char* key) {
        const std::optional<QDateTime> d = parseIsoDate(object_.value(QLatin1String(key)));
        if (!d) ok_ = false;
        return d.value_or(QDateTime());
    }
    // Absent means false.
    bool optionalBoolean(const char* key) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull()) return false;
        if (!v.isBool()) ok_ = false;
        return v.toBool();
    }
    std::optional<double> optionalDouble(const char* key) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull()) return std::nullopt;
        if (!v.isDouble()) ok_ = false;
        return v.toDouble();
    }
    std::optional<QDateTime> optionalDate(const char* key) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull()) return std::nullopt;
        const std::optional<QDateTime> d = parseIsoDate(v);
        if (!d) ok_ = false;
        return d;
    }
    QStringList strings(const char* key) {
        const QJsonValue v = object_.value(QLatin1String(key));
        QStringList list;
        if (!v.isArray()) {
            ok_ = false;
            return list;
        }
        for (const QJsonValue& element : v.toArray()) {
            if (!element.isString()) ok_ = false;
            list.append(element.toString());
        }
        return list;
    }
    // Absent means the fallback; a count is kept between 1 and most.
    int optionalCount(const char* key, int fallback, int most) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull()) return fallback;
        const std::optional<qint64> n = integer(v);
        if (!n) ok_ = false;
        return int(std::clamp<qint64>(n.value_or(fallback), 1, most));
    }
    QJsonValue value(const char* key) const { return object_.value(QLatin1String(key)); }
    void fail() { ok_ = false; }

private:
    QJsonObject object_;
    bool ok_;
};

// A file URL as this system writes it: absolute path, no host, query or
// fragment. Anything else would make toLocalFile name a different file (a
// relative path resolves against the working folder, "#x" is dropped).
std::optional<QUrl> fileUrl(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty() || url.hasQuery() ||
        url.hasFragment() || !url.path().startsWith(QLatin1Char('/')))
        return std::nullopt;
    // Text that does not come back the same when written (a lone surrogate, say).
    if (QUrl(url.toString(QUrl::FullyEncoded), QUrl::StrictMode) != url) return std::nullopt;
    return url;
}

void putOptional(QJsonObject& object, const char* key, const std::optional<QString>& value) {
    if (value) object.insert(QLatin1String(key), *value);
}

void appendEscaped(QByteArray& out, char16_t code) {
    static const char hex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += hex[(code >> shift) & 0xf];
}

void appendUtf8(QByteArray& out, const QByteArray& utf8) {
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                appendEscaped(out, static_cast<char16_t>(c));
            else
                out += c;
        }
    }
}

// A lone surrogate has no UTF-8 form; it is kept as an escape, as the
// general writer does, so the text reads back unchanged.
void appendString(QByteArray& out, const QString& text) {
    out += '"';
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate()) continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        appendUtf8(out, QStringView(text).mid(start, i - start).toUtf8());
        appendEscaped(out, c.unicode());
        start = i + 1;
    }
    appendUtf8(out, QStringView(text).mid(start).toUtf8());
    out += '"';
}

void appendMember(QByteArray& out, const char* key, const QString& value) {
    out += ',';
    out += key;
    appendString(out, value);
}

void appendMember(QByteArray& out, const char* key, qint64 value) {
    out += ',';
    out += key;
    out += QByteArray::number(value);
}

void appendMember(QByteArray& out, const char* key, bool value) {
    out += ',';
    out += key;
    out += value ? "true" : "false";
}

} // namespace

QString isoDate(const QDateTime& date) {
    return date.toUTC().toString(Qt::ISODate);
}

std::optional<QDateTime> parseIsoDate(const QJsonValue& value) {
    if (!value.isString()) return std::nullopt;
    const QDateTime date = QDateTime::fromString(value.toString(), Qt::ISODate);
    if (!date.isValid() || date.timeSpec() == Qt::LocalTime)
        return std::nullopt; // an internet date-time carries its zone
    QDateTime utc = date.toUTC();
    // Outside these years the written form would not read back.
    if (utc.date().year() < 1 || utc.date().year() > 9999) return std::nullopt;
    // Files hold whole seconds; keeping a fraction would change the record on the next save.
    utc.setTime(QTime(utc.time().hour(), utc.time().minute(), utc.time().second()));
    return utc;
}

std::optional<qint64> integer(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    // Whole numbers that fit in 64 bits, the full range the writer produces.
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    const qint64 exact = value.toInteger(lowest);
    if (exact != lowest || value.toDouble() == static_cast<double>(lowest)) return exact;
    return std::nullopt;
}

QJsonObject encode(const Project& project) {
    return {{QStringLiteral("id"), project.id.toString(QUuid::WithoutBraces).toUpper()},
            {QStringLiteral("name"), project.name},
            {QStringLiteral("aliases"), project.aliases}};
}

QJsonObject encode(const Profile& profile) {
    QJsonObject object{
        {QStringLiteral("onboarded"), profile.onboarded},
        {QStringLiteral("projects"), encodeList(profile.projects)},
        {QStringLiteral("renameFiles"), profile.renameFiles},
        {QStringLiteral("keepInstallers"), profile.keepInstallers},
        {QStringLiteral("autoTidy"), profile.autoTidy},
        {QStringLiteral("homeBase"), profile.homeBase},
        {QStringLiteral("scanFolders"), QJsonArray::fromStringList(profile.scanFolders)},
        {QStringLiteral("model"), profile.model}};
    if (profile.lastRun) object.insert(QStringLiteral("lastRun"), isoDate(*profile.lastRun));
    // Absent in profiles written before there was a limit: no limit.
    if (profile.costLimit) object.insert(QStringLiteral("costLimit"), *profile.costLimit);
    if (profile.local) object.insert(QStringLiteral("local"), encode(*profile.local));
    return object;
}

QJsonObject encode(const LocalModel& local) {
    QJsonObject object{{QStringLiteral("address"), local.address},
                       {QStringLiteral("filesModel"), local.filesModel},
                       {QStringLiteral("picturesModel"), local.picturesModel},
                       {QStringLiteral("trusted"), local.trusted},
                       {QStringLiteral("inFlight"), local.inFlight},
                       {QStringLiteral("textBatch"), local.textBatch},
                       {QStringLiteral("visualBatch"), local.visualBatch}};
    if (local.secondLookModel)
        object.insert(QStringLiteral("secondLookModel"), *local.secondLookModel);
    return object;
}

QJsonObject encode(const PlanItem& item) {
    QJsonObject object{{QStringLiteral("id"), item.id},
                       {QStringLiteral("src"), item.src.toString(QUrl::FullyEncoded)},
                       {QStringLiteral("destFolder"), item.destFolder},
                       {QStringLiteral("category"), item.category},
                       {QStringLiteral("confidence"), item.confidence},
                       {QStringLiteral("reason"), item.reason},
                       {QStringLiteral("kind"), toString(item.kind)},
                       {QStringLiteral("size"), item.size},
                       {QStringLiteral("approved"), item.approved},
                       {QStringLiteral("renameApproved"), item.renameApproved}};
    putOptional(object, "newName", item.newName);
    putOptional(object, "suggestedProject", item.suggestedProject);
    // Written only when set, so plans without it read as they always did.
    if (item.refused) object.insert(QStringLiteral("refused"), true);
    return object;
}

QJsonObject encode(const Lesson& lesson) {
    return {{QStringLiteral("name"), lesson.name},
            {QStringLiteral("what"), lesson.what},
            {QStringLiteral("dest"), lesson.dest}};
}

QJsonObject encode(const MoveRecord& record) {
    return {{QStringLiteral("from"), record.from},
            {QStringLiteral("to"), record.to},
            {QStringLiteral("at"), isoDate(record.at)}};
}

QJsonObject encode(const HistoryEntry& entry) {
    return {{QStringLiteral("log"), entry.log},
            {QStringLiteral("moved"), entry.moved},
            {QStringLiteral("renamed"), entry.renamed},
            {QStringLiteral("mainFolder"), entry.mainFolder},
            {QStringLiteral("readable"), entry.readable},
            {QStringLiteral("putBack"), QJsonArray::fromStringList(entry.putBack)}};
}

template <> std::optional<Project> decode<Project>(const QJsonValue& value) {
    Reader r(value);
    Project project;
    project.id = QUuid::fromString(r.string("id"));
    project.name = r.string("name");
    project.aliases = r.string("aliases");
    if (!r.ok() || project.id.isNull()) return std::nullopt;
    return project;
}

template <> std::optional<Profile> decode<Profile>(const QJsonValue& value) {
    Reader r(value);
    Profile profile;
    profile.onboarded = r.boolean("onboarded");
    const std::optional<QList<Project>> projects = decodeList<Project>(r.value("projects"));
    if (!projects) r.fail();
    profile.projects = projects.value_or(QList<Project>());
    profile.renameFiles = r.boolean("renameFiles");
    profile.keepInstallers = r.boolean("keepInstallers");
    profile.autoTidy = r.boolean("autoTidy");
    profile.homeBase = r.string("homeBase");
    profile.scanFolders = r.strings("scanFolders");
    profile.model = r.string("model");
    profile.lastRun = r.optionalDate("lastRun");
    profile.costLimit = r.optionalDouble("costLimit");
    if (const QJsonValue local = r.value("local"); !local.isUndefined()) {
        profile.local = decode<LocalModel>(local);
        if (!profile.local) r.fail();
    }
    if (!r.ok()) return std::nullopt;
    return profile;
}

template <> std::optional<LocalModel> decode<LocalModel>(const QJsonValue& value) {
    Reader r(value);
    const LocalModel defaults;
    LocalModel local;
    local.address = r.string("address");
    local.filesModel = r.string("filesModel");
    local.picturesModel = r.string("picturesModel");
    local.secondLookModel = r.optionalString("secondLookModel");
    local.trusted = r.optionalBoolean("trusted");
    local.inFlight = r.optionalCount("inFlight", defaults.inFlight, LocalModel::maxInFlight);
    local.textBatch = r.optionalCount("textBatch", defaults.textBatch, LocalModel::maxTextBatch);
    local.visualBatch =
        r.optionalCount("visualBatch", defaults.visualBatch, LocalModel::maxVisualBatch);
    if (!r.ok()) return std::nullopt;
    return local;
}

template <> std::optional<PlanItem> decode<PlanItem>(const QJsonValue& value) {
    Reader r(value);
    PlanItem item;
    item.id = r.number("id");
    const std::optional<QUrl> src = fileUrl(r.string("src"));
    item.src = src.value_or(QUrl());
    item.destFolder = r.string("destFolder");
    item.category = r.string("category");
    item.confidence = r.string("confidence");
    item.reason = r.string("reason");
    item.newName = r.optionalString("newName");
    const std::optional<FileKind> kind = fileKindFromString(r.string("kind"));
    item.kind = kind.value_or(FileKind::other);
    item.size = r.number("size");
    item.approved = r.boolean("approved");
    item.renameApproved = r.boolean("renameApproved");
    item.suggestedProject = r.optionalString("suggestedProject");
    item.refused = r.optionalBoolean("refused");
    if (!r.ok() || !kind || !src) return std::nullopt;
    return item;
}

template <> std::optional<Lesson> decode<Lesson>(const QJsonValue& value) {
    Reader r(value);
    Lesson lesson{r.string("name"), r.string("what"), r.string("dest")};
    if (!r.ok()) return std::nullopt;
    return lesson;
}

template <> std::optional<MoveRecord> decode<MoveRecord>(const QJsonValue& value) {
    Reader r(value);
    MoveRecord record{r.string("from"), r.string("to"), r.date("at")};
    if (!r.ok()) return std::nullopt;
    return record;
}

template <> std::optional<HistoryEntry> decode<HistoryEntry>(const QJsonValue& value) {
    Reader r(value);
    HistoryEntry entry;
    entry.log = r.string("log");
    entry.moved = int(r.number("moved"));
    entry.renamed = int(r.number("renamed"));
    entry.mainFolder = r.string("mainFolder");
    entry.readable = r.boolean("readable");
    const QJsonValue putBack = r.value("putBack");
    if (!putBack.isArray()) r.fail();
    for (const QJsonValue& to : putBack.toArray())
        entry.putBack.append(to.toString());
    if (!r.ok()) return std::nullopt;
    return entry;
}

std::optional<QJsonValue> parse(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || document.isNull()) return std::nullopt;
    if (document.isArray()) return QJsonValue(document.array());
    return QJsonValue(document.object());
}

QByteArray compact(const QJsonValue& value) {
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return document.toJson(QJsonDocument::Compact);
}

QByteArray pretty(const QJsonValue& value) {
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return document.toJson(QJsonDocument::Indented);
}

QByteArray compactPlan(const QList<PlanItem>& plan) {
    QByteArray out;
    out.reserve(plan.size() * 320 + 2);
    out += '[';
    for (const PlanItem& item : plan) {
        if (out.size() > 1) out += ',';
        out += "{\"id\":";
        out += QByteArray::number(item.id);
        appendMember(out, "\"src\":", item.src.toString(QUrl::FullyEncoded));
        appendMember(out, "\"destFolder\":", item.destFolder);
        appendMember(out, "\"category\":", item.category);
        appendMember(out, "\"confidence\":", item.confidence);
        appendMember(out, "\"reason\":", item.reason);
        if (item.newName) appendMember(out, "\"newName\":", *item.newName);
        appendMember(out, "\"kind\":", toString(item.kind));
        appendMember(out, "\"size\":", item.size);
        appendMember(out, "\"approved\":", item.approved);
        appendMember(out, "\"renameApproved\":", item.renameApproved);
        if (item.suggestedProject)
            appendMember(out, "\"suggestedProject\":", *item.suggestedProject);
        if (item.refused) appendMember(out, "\"refused\":", true);
        out += '}';
    }
    out += ']';
    return out;
}

} // namespace Json

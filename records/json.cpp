#include "json.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

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
    const double d = value.toDouble();
    if (!std::isfinite(d) || std::trunc(d) != d || std::fabs(d) >= 9.2e18) return std::nullopt;
    const qint64 exact = value.toInteger(std::numeric_limits<qint64>::min());
    return exact != std::numeric_limits<qint64>::min() ? exact : static_cast<qint64>(d);
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
    if (!r.ok()) return std::nullopt;
    return profile;
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

} // namespace Json

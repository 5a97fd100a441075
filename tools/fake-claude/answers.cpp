#include "fakeclaude.h"

#include "usage.h"

#include <QBuffer>
#include <QImageReader>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace FakeClaude {

namespace {

QByteArray errorBody(const QString& type, const QString& message) {
    const QJsonObject error{{QStringLiteral("type"), type}, {QStringLiteral("message"), message}};
    return QJsonDocument(QJsonObject{{QStringLiteral("type"), QStringLiteral("error")},
                                     {QStringLiteral("error"), error}})
        .toJson(QJsonDocument::Compact);
}

Answer badRequest(const QString& message) {
    return {400, errorBody(QStringLiteral("invalid_request_error"), message)};
}

QString errorType(int status) {
    switch (status) {
    case 400:
        return QStringLiteral("invalid_request_error");
    case 401:
        return QStringLiteral("authentication_error");
    case 403:
        return QStringLiteral("permission_error");
    case 404:
        return QStringLiteral("not_found_error");
    case 413:
        return QStringLiteral("request_too_large");
    case 429:
        return QStringLiteral("rate_limit_error");
    case 529:
        return QStringLiteral("overloaded_error");
    default:
        return QStringLiteral("api_error");
    }
}

// FNV-1a, so answers are the same on every machine and Qt build.
quint32 stableHash(const QString& text) {
    quint32 hash = 2166136261u;
    for (const char byte : text.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    return hash;
}

struct Project {
    QString name;
    QStringList aliases;
};

struct Item {
    qint64 id = 0;
    QString path;
    QString kind;
};

QList<Project> listedProjects(const QString& system) {
    const QString head = QStringLiteral("Their projects and brands:\n");
    const qsizetype start = system.indexOf(head);
    if (start < 0) return {};
    const qsizetype from = start + head.size();
    const qsizetype end = system.indexOf(QStringLiteral("\n\nCategories"), from);
    const QStringList lines = system.mid(from, end < 0 ? -1 : end - from).split(QLatin1Char('\n'));
    static const QRegularExpression line(
        QStringLiteral(R"(^- (.+?)(?: \(also called: (.*?)\))?(?:\. Its files look like: .*)?$)"));
    QList<Project> projects;
    for (const QString& text : lines) {
        const QRegularExpressionMatch match = line.match(text);
        if (!match.hasMatch() || match.captured(1) == QLatin1String("(none listed)")) continue;
        projects.append(
            {match.captured(1), match.captured(2).split(QStringLiteral(", "), Qt::SkipEmptyParts)});
    }
    return projects;
}

QList<Item> listedItems(const QString& text) {
    static const QRegularExpression visual(
        QStringLiteral(R"(^#\d+ = id (-?\d+): (.*) \(([a-z]+), modified \d{4}-\d{2}-\d{2}\))"));
    QList<Item> items;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('{'))) {
            const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
            if (object.value(QLatin1String("id")).isDouble())
                items.append({object.value(QLatin1String("id")).toInteger(),
                              object.value(QLatin1String("path")).toString(),
                              object.value(QLatin1String("kind")).toString()});
            continue;
        }
        const QRegularExpressionMatch match = visual.match(line);
        if (match.hasMatch())
            items.append({match.captured(1).toLongLong(), match.captured(2), match.captured(3)});
    }
    return items;
}

bool meaningless(const QString& base) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^((img|dsc|dscn|pxl|mvimg|vid)[_-]?\d+.*|untitled.*|image( \(\d+\))?|)"
                       R"(download.*|export.*|screenshot.*|\d+x\d+( \(\d+\))?|)"
                       R"([0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}))"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(base).hasMatch();
}

QString projectSub(const QString& kind) {
    static const QHash<QString, QString> subs{{QStringLiteral("image"), QStringLiteral("Images")},
                                              {QStringLiteral("video"), QStringLiteral("Video")},
                                              {QStringLiteral("pdf"), QStringLiteral("Docs")},
                                              {QStringLiteral("doc"), QStringLiteral("Docs")},
                                              {QStringLiteral("sheet"), QStringLiteral("Docs")},
                                              {QStringLiteral("slides"), QStringLiteral("Docs")},
                                              {QStringLiteral("design"), QStringLiteral("Design")},
                                              {QStringLiteral("audio"), QStringLiteral("Audio")},
                                              {QStringLiteral("code"), QStringLiteral("Code")}};
    return subs.value(kind, QStringLiteral("Other"));
}

QJsonObject decide(const Item& item, const QList<Project>& projects) {
    const QString name = item.path.section(QLatin1Char('/'), -1);
    const QString base =
        name.contains(QLatin1Char('.')) ? name.section(QLatin1Char('.'), 0, -2) : name;
    const QString lower = item.path.toLower();
    const quint32 hash = stableHash(name);
    const bool visual = item.kind == QLatin1String("image") || item.kind == QLatin1String("video");
    static const QStringList confidences{QStringLiteral("high"), QStringLiteral("medium"),
                                         QStringLiteral("low")};

    QString category;
    QJsonValue sub = QJsonValue::Null;
    QString confidence = confidences.at(hash % 3);
    QString reason;
    std::optional<QString> project;
    for (const Project& p : projects) {
        QStringList terms = p.aliases;
        terms.prepend(p.name);
        for (const QString& term : terms)
            if (term.size() >= 4 && lower.contains(term.toLower())) project = p.name;
        if (project) break;
    }

    static const QRegularExpression admin(QStringLiteral("invoice|contract|tax|quote|w-?9"));
    static const QRegularExpression personal(
        QStringLiteral("receipt|bill|passport|ticket|boarding|lease|bank"));
    if (project) {
        category = QStringLiteral("project:") + *project;
        sub = projectSub(item.kind);
        confidence = QStringLiteral("high");
        reason = QStringLiteral("Path mentions ") + *project;
    } else if (item.kind == QLatin1String("folder")) {
        category = QStringLiteral("archive");
        reason = QStringLiteral("Old folder with no clear home");
    } else if (lower.contains(admin)) {
        category = QStringLiteral("admin");
        reason = QStringLiteral("Business paperwork by its name");
    } else if (lower.contains(personal)) {
        category = QStringLiteral("personal");
        sub = QStringLiteral("Finance & Receipts");
        reason = QStringLiteral("Personal paperwork by its name");
    } else if (visual && lower.contains(QLatin1String("screenshot"))) {
        category = QStringLiteral("junk");
        sub = QStringLiteral("Screenshots & images");
        reason = QStringLiteral("Generic screen grab");
    } else if (item.kind == QLatin1String("font")) {
        category = QStringLiteral("library");
        sub = QStringLiteral("Fonts");
        confidence = QStringLiteral("high");
        reason = QStringLiteral("A font file");
    } else {
        static const QStringList fallbacks{QStringLiteral("library"), QStringLiteral("personal"),
                                           QStringLiteral("creator"), QStringLiteral("needs-you")};
        category = fallbacks.at((hash >> 4) % fallbacks.size());
        if (category == QLatin1String("library"))
            sub = visual ? QStringLiteral("Reference & Inspiration") : QStringLiteral("Other");
        else if (category == QLatin1String("personal"))
            sub = visual ? QStringLiteral("Photos") : QStringLiteral("Documents");
        else if (category == QLatin1String("creator"))
            sub = visual ? QStringLiteral("Thumbnails") : QStringLiteral("Other");
        else
            confidence = QStringLiteral("low");
        reason = QStringLiteral("Best guess from name and kind");
    }

    QJsonValue newName = QJsonValue::Null;
    if (meaningless(base)) {
        static const QStringList pictures{QStringLiteral("Sunset over the ocean with surfboard"),
                                          QStringLiteral("Group photo at a birthday dinner"),
                                          QStringLiteral("Blue logo sketch on white paper"),
                                          QStringLiteral("Dog asleep on a green sofa")};
        static const QStringList papers{QStringLiteral("Scanned letter from the landlord"),
                                        QStringLiteral("Notes from a planning meeting"),
                                        QStringLiteral("Price list for print orders")};
        const QStringList& subjects = visual ? pictures : papers;
        const QString subject = subjects.at((hash >> 8) % subjects.size());
        newName = project ? *project + QStringLiteral(" - ") + subject.toLower() : subject;
    }

    return {
        {QStringLiteral("id"), item.id},       {QStringLiteral("category"), category},
        {QStringLiteral("sub"), sub},          {QStringLiteral("confidence"), confidence},
        {QStringLiteral("new_name"), newName}, {QStringLiteral("project_hint"), QJsonValue::Null},
        {QStringLiteral("reason"), reason}};
}

// Names the busiest folders of the digest (and any projects already known).
QString discover(const QString& digest) {
    static const QRegularExpression folders(QStringLiteral(R"(Folder names \(file count\): (.*))"));
    static const QRegularExpression entry(QStringLiteral(R"(^(.+) \((\d+)\)$)"));
    QStringList names;
    for (const QString& part : folders.match(digest).captured(1).split(QStringLiteral(", "))) {
        const QRegularExpressionMatch match = entry.match(part);
        if (match.hasMatch() && match.captured(2).toInt() >= 3 && names.size() < 3)
            names.append(match.captured(1));
    }
    const QString knownHead = QStringLiteral("Projects they already have: ");
    const qsizetype known = digest.lastIndexOf(knownHead);
    if (known >= 0)
        for (const QString& name : digest.mid(known + knownHead.size()).split(QStringLiteral(", ")))
            if (!name.trimmed().isEmpty() && !names.contains(name.trimmed()))
                names.append(name.trimmed());

    QJsonArray projects;
    for (const QString& name : names) {
        QString alias = name.toLower();
        alias.remove(QLatin1Char(' '));
        projects.append(QJsonObject{
            {QStringLiteral("name"), name},
            {QStringLiteral("aliases"), QJsonArray{alias}},
            {QStringLiteral("looks_like"), QStringLiteral("Files kept in the ") + name +
                                               QStringLiteral(" folder: logos and mockups.")},
            {QStringLiteral("evidence"), QStringLiteral("a folder named ") + name}});
    }
    return QString::fromUtf8(QJsonDocument(projects).toJson(QJsonDocument::Compact));
}

std::optional<QString> checkHeaders(const Request& request, bool local) {
    const auto header = [&](const char* name) { return request.headers.value(name); };
    if (!header("content-type").startsWith("application/json"))
        return QStringLiteral("content-type must be application/json");
    if (local) return std::nullopt;
    if (header("authorization").startsWith("Bearer ") && header("authorization").size() > 7)
        return std::nullopt;
    if (header("x-api-key").isEmpty()) return QStringLiteral("x-api-key header is required");
    if (header("anthropic-version") != "2023-06-01")
        return QStringLiteral("anthropic-version must be 2023-06-01");
    return std::nullopt;
}

std::optional<QString> checkBody(const QJsonObject& body) {
    QStringList keys = body.keys();
    keys.sort();
    if (keys != QStringList{QStringLiteral("max_tokens"), QStringLiteral("messages"),
                            QStringLiteral("model"), QStringLiteral("system")})
        return QStringLiteral("body must hold exactly model, max_tokens, system and messages");
    if (!body.value(QLatin1String("model")).isString() ||
        !body.value(QLatin1String("system")).isString() ||
        body.value(QLatin1String("max_tokens")).toInteger(-1) <= 0)
        return QStringLiteral("model and system must be strings, max_tokens a positive integer");
    const QJsonArray messages = body.value(QLatin1String("messages")).toArray();
    if (messages.size() != 1 ||
        messages.at(0).toObject().value(QLatin1String("role")) != QLatin1String("user") ||
        !messages.at(0).toObject().value(QLatin1String("content")).isArray())
        return QStringLiteral("messages must hold one user turn with a content array");
    return std::nullopt;
}

// About four bytes a token, but a picture is billed by its pixels, not by the
// length of its Base64 text.
qint64 inputTokens(const QByteArray& bytes, const QJsonObject& body) {
    qint64 textBytes = bytes.size();
    qint64 pictures = 0;
    const QJsonArray content = body.value(QLatin1String("messages"))
                                   .toArray()
                                   .at(0)
                                   .toObject()
                                   .value(QLatin1String("content"))
                                   .toArray();
    for (const QJsonValue& block : content) {
        const QString data = block.toObject()
                                 .value(QLatin1String("source"))
                                 .toObject()
                                 .value(QLatin1String("data"))
                                 .toString();
        if (data.isEmpty()) continue;
        textBytes -= data.size();
        QByteArray jpeg = QByteArray::fromBase64(data.toLatin1());
        QBuffer buffer(&jpeg);
        pictures += Usage::imageTokens(QImageReader(&buffer).size());
    }
    return textBytes / 4 + 1 + pictures;
}

} // namespace

QString replyText(const QJsonObject& body) {
    const QString system = body.value(QLatin1String("system")).toString();
    QStringList texts;
    const QJsonArray content = body.value(QLatin1String("messages"))
                                   .toArray()
                                   .at(0)
                                   .toObject()
                                   .value(QLatin1String("content"))
                                   .toArray();
    for (const QJsonValue& block : content)
        if (block.toObject().value(QLatin1String("type")) == QLatin1String("text"))
            texts.append(block.toObject().value(QLatin1String("text")).toString());
    const QString text = texts.join(QLatin1Char('\n'));
    if (text == QLatin1String("ping")) return QStringLiteral("OK");
    if (system.contains(QLatin1String("looks_like"))) return discover(text);

    const QList<Project> projects = listedProjects(system);
    QJsonArray decisions;
    for (const Item& item : listedItems(text))
        decisions.append(decide(item, projects));
    return QString::fromUtf8(QJsonDocument(decisions).toJson(QJsonDocument::Compact));
}

namespace {

// The two listings local servers give: their own, and the one many
// servers share.
std::optional<QByteArray> listing(const Request& request, const QStringList& models) {
    if (request.method != "GET") return std::nullopt;
    QJsonArray list;
    if (request.path == "/api/tags") {
        for (const QString& model : models)
            list.append(QJsonObject{{QStringLiteral("name"), model},
                                    {QStringLiteral("model"), model},
                                    {QStringLiteral("size"), 2'000'000'000}});
        return QJsonDocument(QJsonObject{{QStringLiteral("models"), list}})
            .toJson(QJsonDocument::Compact);
    }
    if (request.path == "/v1/models") {
        for (const QString& model : models)
            list.append(QJsonObject{{QStringLiteral("id"), model},
                                    {QStringLiteral("object"), QStringLiteral("model")}});
        return QJsonDocument(QJsonObject{{QStringLiteral("object"), QStringLiteral("list")},
                                         {QStringLiteral("data"), list}})
            .toJson(QJsonDocument::Compact);
    }
    return std::nullopt;
}

} // namespace

Answer answer(const Request& request, int serial, const Options& options) {
    if (options.local)
        if (const std::optional<QByteArray> models = listing(request, options.models))
            return {200, *models};
    if (request.method != "POST" || !request.path.endsWith("/v1/messages"))
        return {404, errorBody(QStringLiteral("not_found_error"), QStringLiteral("No such path"))};
    if (const std::optional<QString> problem = checkHeaders(request, options.local))
        return badRequest(*problem);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(request.body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return badRequest(QStringLiteral("body must be a JSON object"));
    const QJsonObject body = document.object();
    if (const std::optional<QString> problem = checkBody(body)) return badRequest(*problem);

    const QString text = replyText(body);
    const QJsonObject usage{{QStringLiteral("input_tokens"), inputTokens(request.body, body)},
                            {QStringLiteral("output_tokens"), text.size() / 4 + 1},
                            {QStringLiteral("cache_creation_input_tokens"), 0},
                            {QStringLiteral("cache_read_input_tokens"), 0}};
    const QJsonObject reply{
        {QStringLiteral("id"), QStringLiteral("msg_fake_%1").arg(serial)},
        {QStringLiteral("type"), QStringLiteral("message")},
        {QStringLiteral("role"), QStringLiteral("assistant")},
        {QStringLiteral("model"), body.value(QLatin1String("model"))},
        {QStringLiteral("content"),
         QJsonArray{QJsonObject{{QStringLiteral("type"), QStringLiteral("text")},
                                {QStringLiteral("text"), text}}}},
        {QStringLiteral("stop_reason"), QStringLiteral("end_turn")},
        {QStringLiteral("stop_sequence"), QJsonValue::Null},
        {QStringLiteral("usage"), usage}};
    return {200, QJsonDocument(reply).toJson(QJsonDocument::Compact)};
}

namespace {

// The normal decisions turned against the app: names and folders that climb
// out of the home base, absolute paths, giant strings, and ids nobody asked
// about, besides the ones that were.
QByteArray hostile(const QByteArray& normalBody) {
    QJsonObject reply = QJsonDocument::fromJson(normalBody).object();
    QJsonArray content = reply.value(QLatin1String("content")).toArray();
    const QJsonDocument decisions = QJsonDocument::fromJson(
        content.at(0).toObject().value(QLatin1String("text")).toString().toUtf8());
    if (!decisions.isArray()) return normalBody;
    static const QStringList categories{QStringLiteral("project:../../../escape"),
                                        QStringLiteral("../../outside"), QStringLiteral("archive"),
                                        QStringLiteral("library")};
    static const QStringList subs{QStringLiteral("../../outside"), QStringLiteral("/tmp/absolute"),
                                  QStringLiteral(".."), QStringLiteral("Fonts/../../..")};
    static const QStringList names{QStringLiteral("../../../escaped.txt"),
                                   QStringLiteral("/etc/passwd"), QStringLiteral(".."),
                                   QStringLiteral("sub/dir/name.txt")};
    QJsonArray poisoned;
    qint64 k = 0;
    for (const QJsonValue& value : decisions.array()) {
        QJsonObject decision = value.toObject();
        const qint64 id = decision.value(QLatin1String("id")).toInteger();
        decision.insert(QStringLiteral("category"), categories.at(k % 4));
        decision.insert(QStringLiteral("sub"), subs.at(k % 4));
        decision.insert(QStringLiteral("new_name"),
                        k % 5 == 4 ? QString(200'000, QLatin1Char('n')) + QStringLiteral(".txt")
                                   : names.at(k % 4));
        decision.insert(QStringLiteral("reason"), QString(k % 3 ? 40 : 500'000, QLatin1Char('r')));
        poisoned.append(decision);
        QJsonObject stranger = decision;
        stranger.insert(QStringLiteral("id"), id + 1'000'000'000);
        poisoned.append(stranger);
        ++k;
    }
    poisoned.append(QJsonObject{{QStringLiteral("id"), -1}, {QStringLiteral("category"), "junk"}});
    poisoned.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("7")}});
    QJsonObject block = content.at(0).toObject();
    block.insert(QStringLiteral("text"),
                 QString::fromUtf8(QJsonDocument(poisoned).toJson(QJsonDocument::Compact)));
    content.replace(0, block);
    reply.insert(QStringLiteral("content"), content);
    return QJsonDocument(reply).toJson(QJsonDocument::Compact);
}

} // namespace

Answer scripted(const QJsonValue& step, const Answer& normal) {
    if (step.isObject()) {
        const QJsonObject object = step.toObject();
        Answer custom = normal;
        custom.status = object.value(QLatin1String("status")).toInt(200);
        if (object.contains(QLatin1String("body")))
            custom.body = object.value(QLatin1String("body")).toString().toUtf8();
        else if (custom.status != 200)
            custom.body = errorBody(errorType(custom.status), QStringLiteral("Injected error"));
        custom.delayMs = object.value(QLatin1String("delayMs")).toInt(normal.delayMs);
        return custom;
    }
    const QString word = step.toString();
    Answer injected = normal;
    if (word == QLatin1String("drop")) {
        injected.drop = true;
    } else if (word == QLatin1String("hostile")) {
        injected.body = hostile(normal.body);
    } else if (word == QLatin1String("notjson")) {
        injected.body = "this is not JSON";
    } else if (word == QLatin1String("array")) {
        injected.body = "[{\"type\":\"text\",\"text\":\"hi\"}]";
    } else if (word == QLatin1String("credit")) {
        injected = {400,
                    errorBody(QStringLiteral("invalid_request_error"),
                              QStringLiteral("Your credit balance is too low to access the API.")),
                    false, normal.delayMs};
    } else if (word == QLatin1String("model")) {
        injected = {404,
                    errorBody(QStringLiteral("not_found_error"), QStringLiteral("model: nope")),
                    false, normal.delayMs};
    } else if (step.isDouble() && step.toInt() != 200) {
        injected = {step.toInt(), errorBody(errorType(step.toInt()), QStringLiteral("Injected")),
                    false, normal.delayMs};
    }
    return injected;
}

} // namespace FakeClaude

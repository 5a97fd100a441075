#include "prompt.h"

#include "desktopwords.h"
#include "planner.h"
#include "store.h"
#include "vocabulary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <optional>

namespace Prompt {

namespace {

constexpr int lessonsKept = 40;
constexpr int textChars = 450;
// Reasons are asked for in under 12 words; a reply's longer ones are cut so
// that a runaway answer cannot swell the plan.
constexpr int reasonChars = 300;

const QString opening = DesktopWords::english(DesktopWords::Phrase::sortPromptOpening) +
                        QStringLiteral("\n\nTheir projects and brands:\n");

const QString categories = QStringLiteral(
    "\n\nCategories (use exactly one):\n"
    "- project:<exact project name from the list>: anything belonging to that project (logos, "
    "mockups, UI, renders, decks, docs, edits, contracts).\n"
    "- creator: their streaming/YouTube/social content not tied to a project (thumbnails, "
    "overlays, banners, clips, edits, stream assets).\n"
    "- personal: life admin and personal media (bills, receipts, IDs, photos of people or places, "
    "travel, home, music).\n"
    "- admin: invoices, contracts, taxes and business paperwork not tied to one project.\n"
    "- Items with kind \"folder\" are whole folders. They move as one unit and are never junk. Use "
    "the folder name and its listed contents to decide where the whole folder belongs (a project, "
    "creator, personal, library, or archive). Only use needs-you for a folder if its contents "
    "give no clue at all.\n"
    "- library: you can tell WHAT it is but not which project it belongs to (a business or coin "
    "logo, an app mockup, a saved web page, a barcode or print file, inspiration or reference "
    "images, a meme, a generic screenshot, a font, a 3D asset).\n"
    "- archive: old material with no clear home.\n"
    "- junk: ONLY clearly throwaway, non-brand items: random UI screenshots, memes, blank or "
    "broken images, one-off reference grabs. Anything showing a project's brand or product, "
    "people, receipts, transactions, or that might matter is NOT junk.\n"
    "- needs-you: ONLY when you truly can't tell what it is, or it looks personal or sensitive "
    "(IDs, contracts, medical, legal, financial statements). Prefer library over needs-you "
    "whenever you can describe the file.\n"
    "\n"
    "sub (folder inside the category):\n"
    "- project: ");

const QString closingRules = QStringLiteral(
    "\n- junk: Screenshots & images\n"
    "- otherwise null\n"
    "If none of these sub folders fits well, you may name a new one in 2-4 plain words (e.g. "
    "\"After Effects Templates\", \"Merch\", \"Event Footage\").\n"
    "Files that clearly go together (same art style, same mascot, same event, same download "
    "batch) should end up in the same place.\n"
    "\n"
    "confidence: high (clear evidence), medium (decent guess), low (unsure).\n"
    "new_name: only when the current name is meaningless (UUIDs, IMG_1234, untitled, image (3), "
    "1500x500 (7), download, export, Screenshot 2026-...). Name it by what is actually in it: the "
    "subject, scene, people, product, or key text you can see or read, in 3-8 specific words. If "
    "it belongs to a project, start with the project name and \" - \". Examples: \"Vantle - "
    "holographic dragon card art\", \"KOVA - surfer holding electrolyte pack\", \"Electric bill "
    "September 2026\", \"Sunset over the ocean with surfboard\", \"Brel - prompt trading "
    "screen\". Never generic words like \"image\", \"photo\", \"file\", \"screenshot\" alone. No "
    "dates unless the date is the content. No extension. Never invent details you can't see. "
    "Otherwise null.\n"
    "project_hint: if the file clearly belongs to a project, brand, coin or client that is NOT in "
    "the list above (a name you can read in the image, the text, the file name or where it was "
    "downloaded from), give that name. Otherwise null.\n"
    "reason: under 12 words.\n");

const QString replyFormat = QStringLiteral(
    "\n\nReply with ONLY a JSON array, one object per file:\n"
    "[{\"id\": 12, \"category\": \"project:Example\", \"sub\": \"Images\", \"confidence\": "
    "\"high\", \"new_name\": null, \"project_hint\": null, \"reason\": \"Example logo on a card "
    "mockup\"}]");

QString projectLine(const Project& project, const QMap<QString, QString>& notes) {
    QString line = QStringLiteral("- ") + oneLine(project.name);
    if (!project.aliases.isEmpty())
        line += QStringLiteral(" (also called: ") + oneLine(project.aliases) + QLatin1Char(')');
    const auto note = notes.constFind(trimSpacesTabs(project.name).toLower());
    if (note != notes.cend()) line += QStringLiteral(". Its files look like: ") + oneLine(*note);
    return line;
}

bool breaksLines(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

// Unknown words count as unsure: the plan trusts only what it understood.
QString confidenceWord(const std::optional<QString>& written) {
    const QString word = written.value_or(QString()).trimmed().toLower();
    if (word == Confidence::high || word == Confidence::medium) return word;
    return Confidence::low;
}

std::optional<qint64> integerPart(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    // Integers are kept exactly; going through double would merge ids above 2^53.
    const QVariant exact = value.toVariant();
    if (exact.typeId() == QMetaType::LongLong) return exact.toLongLong();
    const double number = std::trunc(value.toDouble());
    // Outside qint64 the cast would be undefined, and no such id was handed out.
    if (!std::isfinite(number) || number < -0x1p63 || number >= 0x1p63) return std::nullopt;
    return static_cast<qint64>(number);
}

std::optional<QString> optionalString(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (value.isString()) return value.toString();
    return std::nullopt;
}

} // namespace

QString lessonsText() {
    QList<Lesson> lessons = Store::loadLessons();
    if (lessons.size() > lessonsKept) lessons = lessons.mid(lessons.size() - lessonsKept);
    if (lessons.isEmpty()) return {};
    QStringList lines;
    for (const Lesson& lesson : lessons)
        lines.append(QStringLiteral("- \"%1\" (%2) -> %3")
                         .arg(oneLine(lesson.name), oneLine(lesson.what), oneLine(lesson.dest)));
    return QStringLiteral("This person previously sorted these files themselves. Follow the same "
                          "patterns for similar files:\n") +
           lines.join(QLatin1Char('\n'));
}

QString system(const Profile& profile) {
    const QMap<QString, QString> notes = Store::loadNotes();
    QStringList projects;
    for (const Project& project : profile.projects)
        projects.append(projectLine(project, notes));
    const QString sep = QStringLiteral(" | ");
    return opening +
           (projects.isEmpty() ? QStringLiteral("- (none listed)")
                               : projects.join(QLatin1Char('\n'))) +
           categories + Planner::projectSubs.join(sep) + QStringLiteral("\n- creator: ") +
           Planner::creatorSubs.join(sep) + QStringLiteral("\n- personal: ") +
           Planner::personalSubs.join(sep) + QStringLiteral("\n- library: ") +
           Planner::librarySubs.join(sep) + closingRules + lessonsText() + replyFormat;
}

QString describe(const ScannedItem& item) {
    QJsonObject object{
        {QStringLiteral("id"), item.id},
        {QStringLiteral("path"), item.relPath()},
        {QStringLiteral("kind"), toString(item.kind)},
        {QStringLiteral("size_kb"), item.size / 1024},
        {QStringLiteral("modified"),
         item.modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd"))},
    };
    if (item.whereFrom) object.insert(QStringLiteral("downloaded_from"), *item.whereFrom);
    if (item.text && !item.text->isEmpty())
        object.insert(QStringLiteral("text"), leftChars(*item.text, textChars));
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
    if (bytes.isEmpty()) return QStringLiteral("{\"id\": %1}").arg(item.id);
    // Such characters can only stand inside strings, where an escape means the same.
    return oneLine(QString::fromUtf8(bytes));
}

QString oneLine(const QString& text) {
    if (std::none_of(text.cbegin(), text.cend(), breaksLines)) return text;
    QString out;
    for (const QChar c : text)
        out += breaksLines(c) ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                              : QString(c);
    return out;
}

std::optional<QJsonArray> replyObjects(const QString& reply) {
    const qsizetype open = reply.indexOf(QLatin1Char('['));
    const qsizetype close = reply.lastIndexOf(QLatin1Char(']'));
    if (open < 0 || close <= open) return std::nullopt;
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(reply.mid(open, close - open + 1).toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return std::nullopt;
    const QJsonArray array = doc.array();
    for (const QJsonValue& value : array)
        if (!value.isObject()) return std::nullopt;
    return array;
}

QHash<qint64, Decision> parse(const QString& reply) {
    const std::optional<QJsonArray> objects = replyObjects(reply);
    if (!objects) return {};
    const QJsonArray& array = *objects;

    QHash<qint64, Decision> decisions;
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        const std::optional<qint64> id = integerPart(object.value(QLatin1String("id")));
        const QJsonValue category = object.value(QLatin1String("category"));
        if (object.isEmpty() || !id || !category.isString()) continue;
        Decision decision;
        decision.category = trimSpacesTabs(category.toString());
        decision.sub = optionalString(object, QLatin1String("sub"));
        decision.confidence = confidenceWord(optionalString(object, QLatin1String("confidence")));
        decision.newName = optionalString(object, QLatin1String("new_name"));
        decision.reason = leftChars(
            optionalString(object, QLatin1String("reason")).value_or(QString()), reasonChars);
        decision.projectHint = optionalString(object, QLatin1String("project_hint"));
        decisions.insert(*id, decision);
    }
    return decisions;
}

} // namespace Prompt

#include "discovery.h"

#include "desktopwords.h"
#include "prompt.h"
#include "store.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace Discovery {

const QStringList stopWords = {
    "the",      "and",        "for",      "with",      "from",     "copy",   "final",     "image",
    "img",      "screenshot", "screen",   "shot",      "untitled", "new",    "file",      "files",
    "document", "documents",  "download", "downloads", "desktop",  "export", "version",   "draft",
    "edit",     "edited",     "png",      "jpg",       "jpeg",     "pdf",    "mov",       "mp4",
    "webp",     "heic",       "gif",      "doc",       "docx",     "zip",    "dmg",       "pkg",
    "svg",      "psd",        "txt",      "csv",       "json",     "html",   "recording", "photo",
    "video",    "pm",         "am",       "at",        "of",       "to",     "in",        "on",
    "my",       "v2",         "v3",       "test",      "logo",     "icon",   "banner"};

namespace {

const QString rules = QStringLiteral(
    "\nRules:\n"
    "- Only things the person works on, not tools or companies they merely use (Apple, Google, "
    "Figma, Notion, Coinbase, Amazon, banks, schools).\n"
    "- Not generic life areas (finance, photos, travel, receipts, school, music). Those are "
    "handled separately.\n"
    "- Merge different names for the same thing into one entry; put the other names, domains, "
    "tickers and handles in aliases.\n"
    "- Aliases must be distinctive words likely to appear in file names or text, at least 4 "
    "characters, never generic words like \"card\", \"app\", \"design\".\n"
    "- Require real evidence (repeated across several files). At most 15 entries. If nothing is "
    "clear, return [].\n"
    "- looks_like: 1-2 sentences describing what this project's files look like so another model "
    "can recognize them from a thumbnail: mascots, characters, logo shapes, colors, recurring "
    "subjects, and related brands, coins or partners whose art belongs to it (for example a coin "
    "paired with another token, so that token's art belongs here too).\n"
    "Also describe the projects they already have (listed at the end of the summary) if you see "
    "their files, keeping the same names.\n"
    "Reply with ONLY a JSON array: "
    "[{\"name\":\"Vantle\",\"aliases\":[\"vantle.example\",\"vantlecards\"],\"looks_like\":"
    "\"Collectible trading-card art: graded card slabs and booster pack designs with a recurring "
    "V mark and teal and orange colour stripes.\",\"evidence\":\"A folder named Vantle and 23 "
    "files mentioning vantle.example\"}]");

} // namespace

const QString prompt = DesktopWords::english(DesktopWords::Phrase::discoveryPromptOpening) + rules;

namespace {

constexpr int fewestItems = 20;
constexpr int shortestWord = 3;
constexpr int shortestText = 41;
constexpr int documentsQuoted = 70;
constexpr int charsQuoted = 140;
constexpr int sampleSize = 60;
constexpr qint64 sampleMinBytes = 20'000;
constexpr int perSheet = 20;
constexpr int maxTokens = 2000;
constexpr int shortestAlias = 4;

const QSet<QString>& stopSet() {
    static const QSet<QString> set(stopWords.cbegin(), stopWords.cend());
    return set;
}

bool isExcludedFolder(const QString& name) {
    static const QSet<QString> excluded = {"Desktop", "Downloads", "Documents", "Pictures",
                                           "Movies"};
    return excluded.contains(name);
}

QString stem(const ScannedItem& item) {
    if (item.ext.isEmpty() || item.name.size() <= item.ext.size()) return item.name;
    return item.name.chopped(item.ext.size() + 1);
}

bool inWord(char32_t c) {
    // Accents and vowel signs belong to the letter they follow.
    return QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == U'$';
}

// Composed first, so a name spelled with combining accents counts as the same words.
QStringList words(const QString& text) {
    QStringList out;
    QString word;
    for (const char32_t c : text.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (inWord(c)) {
            word.append(QString::fromUcs4(&c, 1));
        } else if (!word.isEmpty()) {
            out.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty()) out.append(word);
    return out;
}

bool counts(const QString& word) {
    static const QRegularExpression integer(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{6,}$"));
    return charCount(word) >= shortestWord && !stopSet().contains(word) &&
           !integer.match(word).hasMatch() && !hex.match(word).hasMatch();
}

// Sheets are made one after another; a group whose sheet fails is left out.
QFuture<QJsonArray> appendSheets(QJsonArray blocks, QList<QList<ScannedItem>> groups,
                                 MakeSheet sheet) {
    if (groups.isEmpty()) return QtFuture::makeReadyFuture(std::move(blocks));
    const QList<ScannedItem> group = groups.takeFirst();
    return sheet(group)
        .then([blocks, groups, sheet](const std::optional<QByteArray>& jpeg) mutable {
            if (jpeg) blocks.append(Model::imageBlock(*jpeg));
            return appendSheets(std::move(blocks), std::move(groups), std::move(sheet));
        })
        .unwrap();
}

} // namespace

QString top(const QHash<QString, int>& counts, int n) {
    QList<std::pair<QString, int>> entries;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        entries.append({it.key(), it.value()});
    // Ties in name order, so the same files give the same digest.
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    QStringList parts;
    for (qsizetype i = 0; i < entries.size() && i < n; ++i)
        parts.append(Prompt::oneLine(entries.at(i).first) + QStringLiteral(" (") +
                     QString::number(entries.at(i).second) + QLatin1Char(')'));
    return parts.join(QStringLiteral(", "));
}

QString digest(const QList<ScannedItem>& items) {
    QHash<QString, int> folders, nameWords, sites;
    QList<ScannedItem> documents;
    for (const ScannedItem& item : items) {
        if (item.isDir) folders[item.name] += 3;
        const QString parent = QFileInfo(QFileInfo(item.path()).path()).fileName();
        if (!parent.isEmpty() && !isExcludedFolder(parent)) folders[parent] += 1;
        for (const QString& word : words(stem(item).toLower()))
            if (counts(word)) nameWords[word] += 1;
        if (item.whereFrom) {
            const QString host = QUrl(*item.whereFrom).host();
            if (!host.isEmpty()) sites[QString(host).remove(QStringLiteral("www."))] += 1;
        }
        if (item.text && charCount(*item.text) >= shortestText) documents.append(item);
    }
    std::stable_sort(
        documents.begin(), documents.end(),
        [](const ScannedItem& a, const ScannedItem& b) { return a.modified > b.modified; });
    QStringList lines;
    for (qsizetype i = 0; i < documents.size() && i < documentsQuoted; ++i)
        lines.append(QStringLiteral("- ") + Prompt::oneLine(documents.at(i).name) +
                     QStringLiteral(": ") + leftChars(*documents.at(i).text, charsQuoted));

    return QStringLiteral("Folder names (file count): ") + top(folders, 70) +
           QStringLiteral("\n\nRecurring words in file names (count): ") + top(nameWords, 140) +
           QStringLiteral("\n\nSites files were downloaded from (count): ") + top(sites, 40) +
           QStringLiteral("\n\nText from recent documents:\n") + lines.join(QLatin1Char('\n'));
}

QList<Project> takeReply(const QString& reply) {
    const std::optional<QJsonArray> objects = Prompt::replyObjects(reply);
    if (!objects) return {};
    const QJsonArray& array = *objects;

    QMap<QString, QString> notes;
    QList<Project> projects;
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        const QJsonValue name = object.value(QLatin1String("name"));
        if (!name.isString()) continue;
        const QString trimmed = trimSpacesTabs(name.toString());
        if (trimmed.isEmpty()) continue;
        // Noted under the name the project keeps, which the prompt looks up.
        const QJsonValue looksLike = object.value(QLatin1String("looks_like"));
        if (looksLike.isString() && !looksLike.toString().isEmpty())
            notes.insert(trimmed.toLower(), looksLike.toString());
        QStringList aliases;
        for (const QJsonValue& alias : object.value(QLatin1String("aliases")).toArray())
            if (alias.isString() && charCount(alias.toString()) >= shortestAlias)
                aliases.append(alias.toString());
        Project project;
        project.name = trimmed;
        project.aliases = aliases.join(QStringLiteral(", "));
        projects.append(project);
    }
    Store::saveNotes(notes);
    return projects;
}

QFuture<QList<Project>> run(const QList<ScannedItem>& items, const QList<Project>& known,
                            const QString& apiKey, const QString& model, const Model::Send& send,
                            const MakeSheet& sheet) {
    if (items.size() < fewestItems) return QtFuture::makeReadyFuture(QList<Project>());

    QString summary = digest(items);
    if (!known.isEmpty()) {
        QStringList names;
        for (const Project& project : known)
            names.append(Prompt::oneLine(project.name));
        summary +=
            QStringLiteral("\n\nProjects they already have: ") + names.join(QStringLiteral(", "));
    }

    QList<ScannedItem> sample;
    for (const ScannedItem& item : items)
        if (item.kind == FileKind::image && item.size > sampleMinBytes) sample.append(item);
    std::shuffle(sample.begin(), sample.end(), *QRandomGenerator::global());
    sample = sample.mid(0, sampleSize);
    QList<QList<ScannedItem>> groups;
    for (qsizetype at = 0; at < sample.size(); at += perSheet)
        groups.append(sample.mid(at, perSheet));

    return appendSheets(QJsonArray{Model::textBlock(summary)}, groups, sheet)
        .then([apiKey, model, send](QJsonArray blocks) {
            if (blocks.size() > 1)
                blocks.append(Model::textBlock(QStringLiteral(
                    "The contact sheets above are a random sample of their images.")));
            return send(apiKey, model, prompt, blocks, maxTokens)
                .then([](const Model::Answer& answer) {
                    if (const auto* text = std::get_if<QString>(&answer)) return takeReply(*text);
                    return QList<Project>();
                });
        })
        .unwrap();
}

} // namespace Discovery

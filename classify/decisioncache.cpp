#include "decisioncache.h"

#include "files.h"
#include "scanner.h"
#include "store.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype mostEntries = 200'000;
// Larger files are recognised by samples: reading a film whole to spare one
// line of a request would cost more than the request.
constexpr qint64 wholeHashUpTo = 32 * 1024 * 1024;
constexpr qint64 maxFileBytes = 512 * 1024 * 1024;
constexpr quint32 magic = 0x54564443;
constexpr quint32 format = 1;

struct Entry {
    QByteArray hash; // raw SHA-256
    QString name;
    QString model;
    QString folder;
    Decision decision;

    QByteArray key() const { return hash + '/' + name.toUtf8() + '/' + model.toUtf8(); }
};

// Refreshes and lessons change the file one at a time.
QMutex fileLock;

QString path() {
    return Store::filePath(QStringLiteral("decisions.cache"));
}

void put(QDataStream& out, const QString& text) {
    out << text.toUtf8();
}

void put(QDataStream& out, const std::optional<QString>& text) {
    out << text.has_value();
    if (text) put(out, *text);
}

QString text(QDataStream& in) {
    QByteArray bytes;
    in >> bytes;
    return QString::fromUtf8(bytes);
}

std::optional<QString> optionalText(QDataStream& in) {
    bool present = false;
    in >> present;
    if (!present) return std::nullopt;
    return text(in);
}

// Oldest first.
QList<Entry> load() {
    const std::optional<QByteArray> bytes = Files::readSmall(path(), maxFileBytes);
    if (!bytes) return {};
    QDataStream in(*bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 readMagic = 0, readFormat = 0;
    qint64 count = 0;
    in >> readMagic >> readFormat >> count;
    if (readMagic != magic || readFormat != format || count < 0 || count > mostEntries) return {};
    QList<Entry> entries;
    entries.reserve(count);
    for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        Entry entry;
        in >> entry.hash;
        entry.name = text(in);
        entry.model = text(in);
        entry.folder = text(in);
        Decision& d = entry.decision;
        d.category = text(in);
        d.sub = optionalText(in);
        d.confidence = text(in);
        d.newName = optionalText(in);
        d.reason = text(in);
        d.projectHint = optionalText(in);
        in >> d.refused;
        entries.append(std::move(entry));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) return {};
    return entries;
}

void save(const QList<Entry>& entries) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << magic << format << qint64(entries.size());
    for (const Entry& entry : entries) {
        const Decision& d = entry.decision;
        out << entry.hash;
        put(out, entry.name);
        put(out, entry.model);
        put(out, entry.folder);
        put(out, d.category);
        put(out, d.sub);
        put(out, d.confidence);
        put(out, d.newName);
        put(out, d.reason);
        put(out, d.projectHint);
        out << d.refused;
    }
    Files::writeAtomic(path(), bytes, Files::Access::ownerOnly);
}

std::optional<QByteArray> contentHash(const ScannedItem& item) {
    if (item.isDir) return std::nullopt; // a folder's content is not one file
    std::optional<QString> hex = item.size <= wholeHashUpTo ? item.sha256 : std::nullopt;
    if (!hex) hex = Scanner::sha(item.path(), item.size, wholeHashUpTo);
    if (!hex) return std::nullopt;
    return QByteArray::fromHex(hex->toLatin1());
}

} // namespace

Recalled DecisionCache::recall(const QList<ScannedItem>& items) {
    std::vector<std::optional<QByteArray>> hashes(std::size_t(items.size()));
    Scanner::inParallel(items.size(), [&](qsizetype i) {
        const ScannedItem& item = items.at(i);
        if (!looked(item.id)) hashes[std::size_t(i)] = contentHash(item);
    });

    QMutexLocker lock(&mutex_);
    if (!known_) {
        known_.emplace();
        QMutexLocker file(&fileLock);
        for (Entry& entry : load())
            if (entry.model == model_) known_->insert(entry.key(), std::move(entry.decision));
    }
    Recalled out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const ScannedItem& item = items.at(i);
        if (const auto earlier = served_.constFind(item.id); earlier != served_.cend()) {
            out.known.insert(item.id, *earlier);
            continue;
        }
        if (!hashes[std::size_t(i)]) {
            out.unknown.append(item);
            continue;
        }
        const Entry probe{*hashes[std::size_t(i)], item.name, model_, {}, {}};
        const auto found = known_->constFind(probe.key());
        if (found == known_->cend()) {
            asked_.insert(item.id, {probe.hash, item.name});
            out.unknown.append(item);
            continue;
        }
        out.known.insert(item.id, *found);
        served_.insert(item.id, *found);
    }
    return out;
}

void DecisionCache::remember(const QHash<qint64, Decision>& answers, const QList<PlanItem>& plan) {
    QHash<qint64, QString> folders;
    for (const PlanItem& item : plan)
        folders.insert(item.id, item.destFolder);
    QList<Entry> fresh;
    {
        QMutexLocker lock(&mutex_);
        for (auto it = answers.cbegin(); it != answers.cend(); ++it)
            if (const auto asked = asked_.constFind(it.key()); asked != asked_.cend())
                fresh.append({asked->hash, asked->name, model_, folders.value(it.key()), *it});
    }
    if (fresh.isEmpty()) return;
    QSet<QByteArray> replaced;
    for (const Entry& entry : fresh)
        replaced.insert(entry.key());
    QMutexLocker file(&fileLock);
    QList<Entry> entries = load();
    entries.removeIf([&](const Entry& entry) { return replaced.contains(entry.key()); });
    entries += fresh;
    if (entries.size() > mostEntries) entries.remove(0, entries.size() - mostEntries);
    save(entries);
}

bool DecisionCache::looked(qint64 id) const {
    QMutexLocker lock(&mutex_);
    return served_.contains(id) || asked_.contains(id);
}

bool DecisionCache::served(qint64 id) const {
    QMutexLocker lock(&mutex_);
    return served_.contains(id);
}

qint64 DecisionCache::servedCount() const {
    QMutexLocker lock(&mutex_);
    return served_.size();
}

void DecisionCache::forget(const QList<Lesson>& lessons) {
    if (lessons.isEmpty()) return;
    QList<QRegularExpression> patterns;
    for (const Lesson& lesson : lessons)
        patterns.append(QRegularExpression::fromWildcard(lesson.name, Qt::CaseInsensitive));
    auto changes = [&](const Entry& entry) {
        for (qsizetype i = 0; i < lessons.size(); ++i) {
            const Lesson& lesson = lessons.at(i);
            // A plain name with brackets is no pattern of itself.
            if (entry.name.compare(lesson.name, Qt::CaseInsensitive) == 0 ||
                patterns.at(i).match(entry.name).hasMatch())
                return true;
            if (!lesson.dest.isEmpty() &&
                (entry.folder == lesson.dest || entry.folder.startsWith(lesson.dest + u'/')))
                return true;
        }
        return false;
    };
    QMutexLocker file(&fileLock);
    QList<Entry> entries = load();
    if (entries.removeIf(changes) > 0) save(entries);
}

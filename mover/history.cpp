#include "history.h"

#include "files.h"
#include "json.h"
#include "mover.h"
#include "store.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <algorithm>

namespace History {

namespace {

const QString undonePrefix = QStringLiteral("undone-");

// Apply and undo run off the main thread while the history may be listed.
QMutex indexLock;

QString indexPath() {
    return Store::filePath(QStringLiteral("history.json"));
}

// By log name. An index that does not decode is set aside and built again
// from the logs; only the put-back marks it held are lost.
QHash<QString, HistoryEntry> loadIndex() {
    QHash<QString, HistoryEntry> index;
    const std::optional<QByteArray> bytes = Files::readSmall(indexPath());
    if (!bytes) return index;
    const std::optional<QJsonValue> value = Json::parse(*bytes);
    const auto entries = value ? Json::decodeList<HistoryEntry>(*value) : std::nullopt;
    if (!entries) {
        Store::setAside(indexPath(), QStringLiteral("unreadable"), QDateTime::currentDateTime());
        return index;
    }
    for (const HistoryEntry& entry : *entries)
        index.insert(entry.log, entry);
    return index;
}

void saveIndex(const QHash<QString, HistoryEntry>& index) {
    Files::writeAtomic(indexPath(), Json::compact(Json::encodeList(index.values())),
                       Files::Access::ownerOnly);
}

// A new name, not the old one with " (2)" added by a collision.
bool renamed(const QString& from, const QString& to) {
    const QString before = QFileInfo(from).fileName();
    const QString after = QFileInfo(to).fileName();
    if (before == after) return false;
    const qsizetype dot = before.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? before.left(dot) : before;
    const QString ext = dot > 0 ? before.mid(dot) : QString();
    if (!after.startsWith(base + QStringLiteral(" (")) ||
        !after.endsWith(QStringLiteral(")") + ext))
        return true;
    bool number = false;
    after.mid(base.size() + 2, after.size() - base.size() - 3 - ext.size()).toInt(&number);
    return !number;
}

} // namespace

HistoryEntry summary(const QString& log, const QList<MoveRecord>& records) {
    HistoryEntry entry;
    entry.log = log;
    entry.moved = int(records.size());
    QHash<QString, int> folders;
    int most = 0;
    for (const MoveRecord& record : records) {
        if (renamed(record.from, record.to)) ++entry.renamed;
        const QString folder = QFileInfo(record.to).path();
        const int count = ++folders[folder];
        if (count > most) {
            most = count;
            entry.mainFolder = folder;
        }
    }
    return entry;
}

QList<HistoryEntry> entries() {
    const QMutexLocker lock(&indexLock);
    QHash<QString, HistoryEntry> index = loadIndex();
    const QDir logs(Store::logsDir());
    const QStringList names = logs.entryList(
        {QStringLiteral("moves-*.json"), undonePrefix + QStringLiteral("moves-*.json")},
        QDir::Files | QDir::CaseSensitive);
    QHash<QString, HistoryEntry> listed;
    bool read = false;
    QList<HistoryEntry> out;
    for (const QString& name : names) {
        const bool undone = name.startsWith(undonePrefix);
        const QString log = undone ? name.mid(undonePrefix.size()) : name;
        auto known = index.constFind(log);
        if (known == index.cend()) {
            const std::optional<QList<MoveRecord>> records = Mover::readLog(logs.filePath(name));
            HistoryEntry entry = summary(log, records.value_or(QList<MoveRecord>()));
            entry.readable = records.has_value();
            known = index.insert(log, entry);
            read = true;
        }
        listed.insert(log, *known);
        out.append(*known);
        out.last().undone = undone;
    }
    if (read || listed.size() != index.size()) saveIndex(listed); // entries of removed logs go
    std::sort(out.begin(), out.end(),
              [](const HistoryEntry& a, const HistoryEntry& b) { return a.log > b.log; });
    return out;
}

void note(const HistoryEntry& entry) {
    const QMutexLocker lock(&indexLock);
    QHash<QString, HistoryEntry> index = loadIndex();
    index.insert(entry.log, entry);
    saveIndex(index);
}

QStringList putBack(const QString& log) {
    const QMutexLocker lock(&indexLock);
    return loadIndex().value(log).putBack;
}

void notePutBack(const QString& log, const QString& to) {
    const QMutexLocker lock(&indexLock);
    QHash<QString, HistoryEntry> index = loadIndex();
    auto entry = index.find(log);
    if (entry == index.end()) return; // listed, and so entered, before anything is put back
    entry->putBack.append(to);
    saveIndex(index);
}

} // namespace History

#pragma once

#include "records.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <optional>

// JSON forms of the persisted records. Keys equal the field names, absent
// optionals are omitted, and decoding is strict: a missing required key or a
// value of the wrong type fails the whole record.
namespace Json {

QString isoDate(const QDateTime& date);
std::optional<QDateTime> parseIsoDate(const QJsonValue& value);

// An integral JSON number; fractions, strings and out-of-range values fail.
std::optional<qint64> integer(const QJsonValue& value);

QJsonObject encode(const Project& project);
QJsonObject encode(const Profile& profile);
QJsonObject encode(const LocalModel& local);
QJsonObject encode(const PlanItem& item);
QJsonObject encode(const Lesson& lesson);
QJsonObject encode(const MoveRecord& record);
QJsonObject encode(const HistoryEntry& entry);

template <class T> std::optional<T> decode(const QJsonValue& value);
template <> std::optional<Project> decode<Project>(const QJsonValue& value);
template <> std::optional<Profile> decode<Profile>(const QJsonValue& value);
template <> std::optional<LocalModel> decode<LocalModel>(const QJsonValue& value);
template <> std::optional<PlanItem> decode<PlanItem>(const QJsonValue& value);
template <> std::optional<Lesson> decode<Lesson>(const QJsonValue& value);
template <> std::optional<MoveRecord> decode<MoveRecord>(const QJsonValue& value);
template <> std::optional<HistoryEntry> decode<HistoryEntry>(const QJsonValue& value);

template <class T> QJsonArray encodeList(const QList<T>& records) {
    QJsonArray array;
    for (const T& record : records)
        array.append(encode(record));
    return array;
}

// Every element must decode, or the whole list fails.
template <class T> std::optional<QList<T>> decodeList(const QJsonValue& value) {
    if (!value.isArray()) return std::nullopt;
    const QJsonArray array = value.toArray();
    QList<T> records;
    records.reserve(array.size());
    for (const QJsonValue& element : array) {
        std::optional<T> record = decode<T>(element);
        if (!record) return std::nullopt;
        records.append(std::move(*record));
    }
    return records;
}

// Parses a whole document (object or array); nothing on any error.
std::optional<QJsonValue> parse(const QByteArray& bytes);

QByteArray compact(const QJsonValue& value);

// The same document as compact(encodeList(plan)), written directly: the plan
// is saved on every review edit and may hold 25,000 items.
QByteArray compactPlan(const QList<PlanItem>& plan);
QByteArray pretty(const QJsonValue& value);

} // namespace Json

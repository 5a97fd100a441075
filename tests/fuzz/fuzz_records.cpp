// Arbitrary bytes through the record decoders. Besides not crashing, whatever
// decodes must survive a write and a read unchanged, or a saved file would
// come back different from what was loaded.

#include "json.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz_records: %s does not survive a write and a read\n", what);
    std::abort();
}

template <class T> void checkOne(const QJsonValue& value, const char* what) {
    const std::optional<T> record = Json::decode<T>(value);
    if (!record) return;
    const std::optional<QJsonValue> reread = Json::parse(Json::compact(Json::encode(*record)));
    if (!reread || Json::decode<T>(*reread) != record) fail(what);
}

template <class T> void checkList(const QJsonValue& value, const char* what) {
    const std::optional<QList<T>> records = Json::decodeList<T>(value);
    if (!records) return;
    const std::optional<QJsonValue> reread = Json::parse(Json::compact(Json::encodeList(*records)));
    if (!reread || Json::decodeList<T>(*reread) != records) fail(what);
}

// The plan file is written by a dedicated writer; it must agree with the reader.
void checkPlanWriter(const QJsonValue& value) {
    const std::optional<QList<PlanItem>> plan = Json::decodeList<PlanItem>(value);
    if (!plan) return;
    const std::optional<QJsonValue> reread = Json::parse(Json::compactPlan(*plan));
    if (!reread || Json::decodeList<PlanItem>(*reread) != plan) fail("a plan written directly");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QJsonValue> value = Json::parse(bytes);
    if (!value) return 0;
    checkOne<Profile>(*value, "a profile");
    checkOne<Project>(*value, "a project");
    checkOne<PlanItem>(*value, "a plan item");
    checkOne<Lesson>(*value, "a lesson");
    checkOne<MoveRecord>(*value, "a move record");
    checkList<Project>(*value, "a project list");
    checkList<PlanItem>(*value, "a plan");
    checkList<Lesson>(*value, "a lesson list");
    checkList<MoveRecord>(*value, "a move log");
    checkPlanWriter(*value);
    return 0;
}

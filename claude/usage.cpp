#include "usage.h"

#include "files.h"
#include "format.h"
#include "json.h"
#include "store.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr qint64 maxLogBytes = 4 * 1024 * 1024;
constexpr int shareRuns = 10;
constexpr double longestSide = 1568;
constexpr double mostPixels = 1'150'000;
constexpr double pixelsPerToken = 750;

std::optional<double> number(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble()) return std::nullopt;
    return value.toDouble();
}

std::optional<qint64> integer(const QJsonObject& object, const char* key) {
    return Json::integer(object.value(QLatin1String(key)));
}

qint64 integerOrZero(const QJsonObject& usage, const char* key) {
    return Json::integer(usage.value(QLatin1String(key))).value_or(0);
}

std::optional<MonthUsage> decodeMonth(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const std::optional<double> usd = number(object, "usd");
    const std::optional<qint64> files = integer(object, "files");
    if (!value.isObject() || !usd || !files) return std::nullopt;
    return MonthUsage{*usd, *files};
}

// Logs written before runs told what they sent, what came from earlier
// decisions, that they were stopped or local, read as none of it, asked
// Claude and ran to the end.
std::optional<RunUsage> decodeRun(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const std::optional<QDateTime> date = Json::parseIsoDate(object.value(QLatin1String("date")));
    const std::optional<double> usd = number(object, "usd");
    const std::optional<qint64> files = integer(object, "files");
    const std::optional<qint64> calls = integer(object, "calls");
    if (!value.isObject() || !date || !usd || !files || !calls) return std::nullopt;
    const RunSent sent{integerOrZero(object, "sent"), integerOrZero(object, "escalated")};
    const bool stopped = object.value(QLatin1String("stopped")).toBool(false);
    const bool local = object.value(QLatin1String("local")).toBool(false);
    return RunUsage{*date, *usd, *files, *calls, sent, stopped, integerOrZero(object, "cached"),
                    local};
}

} // namespace

Usage::Usage(Clock now) : now_(std::move(now)) {}

Usage& Usage::shared() {
    static Usage usage;
    return usage;
}

Price Usage::price(const QString& model) {
    if (model.contains(QLatin1String("haiku"))) return {0.10, 0.50};
    if (model.contains(QLatin1String("sonnet"))) return {2.00, 10.00};
    return {4.00, 20.00};
}

double Usage::cost(const QJsonObject& usage, const QString& model) {
    const Price p = price(model);
    const double input = double(integerOrZero(usage, "input_tokens"));
    const double output = double(integerOrZero(usage, "output_tokens"));
    const double cacheRead = double(integerOrZero(usage, "cache_read_input_tokens"));
    const double cacheWrite = double(integerOrZero(usage, "cache_creation_input_tokens"));
    return (input + 1.25 * cacheWrite + 0.1 * cacheRead) * p.input / 1'000'000 +
           output * p.output / 1'000'000;
}

qint64 Usage::imageTokens(QSize size) {
    if (size.isEmpty()) return 0;
    double width = size.width();
    double height = size.height();
    const double side = std::min(1.0, longestSide / std::max(width, height));
    width *= side;
    height *= side;
    const double area = std::min(1.0, std::sqrt(mostPixels / (width * height)));
    return qint64(std::ceil(width * area * height * area / pixelsPerToken));
}

void Usage::add(double usd) {
    const std::lock_guard guard(lock_);
    runUSD_ += usd;
    runCalls_ += 1;
}

void Usage::reset(bool local) {
    const std::lock_guard guard(lock_);
    runUSD_ = 0;
    runCalls_ = 0;
    runLocal_ = local;
}

RunTotals Usage::take() {
    const std::lock_guard guard(lock_);
    const RunTotals totals{runUSD_, runCalls_};
    runUSD_ = 0;
    runCalls_ = 0;
    return totals;
}

RunTotals Usage::current() const {
    const std::lock_guard guard(lock_);
    return {runUSD_, runCalls_};
}

double Usage::endRun(qint64 files, RunSent sent, bool stopped, qint64 cached) {
    bool local = false;
    {
        const std::lock_guard guard(lock_);
        local = std::exchange(runLocal_, false);
    }
    const RunTotals run = take();
    const QDateTime now = now_();
    const UsageLog log = UsageLedger::addRun(
        UsageLedger::load(), {now, run.usd, files, run.calls, sent, stopped, cached, local},
        UsageLedger::monthKey(now));
    UsageLedger::save(log);
    return run.usd;
}

QList<UsageFigure> Usage::summary() const {
    return UsageLedger::summary(UsageLedger::load(), UsageLedger::monthKey(now_()));
}

namespace UsageLedger {

QString path() {
    return Store::filePath(QStringLiteral("usage.json"));
}

UsageLog load() {
    const std::optional<QByteArray> bytes = Files::readSmall(path(), maxLogBytes);
    if (!bytes) return {};
    return decode(*bytes).value_or(UsageLog{});
}

void save(const UsageLog& log) {
    Files::writeAtomic(path(), encode(log), Files::Access::ownerOnly);
}

std::optional<UsageLog> decode(const QByteArray& bytes) {
    const std::optional<QJsonValue> value = Json::parse(bytes);
    if (!value || !value->isObject()) return std::nullopt;
    const QJsonObject object = value->toObject();
    const std::optional<double> total = number(object, "totalUSD");
    const QJsonValue months = object.value(QLatin1String("months"));
    const QJsonValue runs = object.value(QLatin1String("runs"));
    if (!total || !months.isObject() || !runs.isArray()) return std::nullopt;

    UsageLog log;
    log.totalUSD = *total;
    const QJsonObject monthObject = months.toObject();
    for (auto it = monthObject.begin(); it != monthObject.end(); ++it) {
        const std::optional<MonthUsage> month = decodeMonth(it.value());
        if (!month) return std::nullopt;
        log.months.insert(it.key(), *month);
    }
    for (const QJsonValue& element : runs.toArray()) {
        const std::optional<RunUsage> run = decodeRun(element);
        if (!run) return std::nullopt;
        log.runs.append(*run);
    }
    return log;
}

QByteArray encode(const UsageLog& log) {
    QJsonObject months;
    for (auto it = log.months.begin(); it != log.months.end(); ++it)
        months.insert(it.key(), QJsonObject{{QStringLiteral("usd"), it->usd},
                                            {QStringLiteral("files"), it->files}});
    QJsonArray runs;
    for (const RunUsage& run : log.runs) {
        QJsonObject entry{{QStringLiteral("date"), Json::isoDate(run.date)},
                          {QStringLiteral("usd"), run.usd},
                          {QStringLiteral("files"), run.files},
                          {QStringLiteral("calls"), run.calls},
                          {QStringLiteral("sent"), run.sent.files},
                          {QStringLiteral("escalated"), run.sent.escalated},
                          {QStringLiteral("cached"), run.cached}};
        if (run.stopped) entry.insert(QStringLiteral("stopped"), true);
        if (run.local) entry.insert(QStringLiteral("local"), true);
        runs.append(entry);
    }
    return Json::compact(QJsonObject{{QStringLiteral("totalUSD"), log.totalUSD},
                                     {QStringLiteral("months"), months},
                                     {QStringLiteral("runs"), runs}});
}

QString monthKey(const QDateTime& now) {
    return now.toLocalTime().toString(QStringLiteral("yyyy-MM"));
}

UsageLog addRun(UsageLog log, const RunUsage& run, const QString& monthKey) {
    MonthUsage& month = log.months[monthKey];
    month.usd += run.usd;
    // The month's cap bounds what Claude costs; the user's own server is free.
    if (!run.local) month.files += run.files;
    log.runs.append(run);
    if (log.runs.size() > maxRuns) log.runs.remove(0, log.runs.size() - maxRuns);
    log.totalUSD += run.usd;
    return log;
}

QList<UsageFigure> summary(const UsageLog& log, const QString& monthKey) {
    const MonthUsage month = log.months.value(monthKey);
    const QString last =
        log.runs.isEmpty() ? QStringLiteral("–") : Format::cost(log.runs.last().usd);
    return {{last, QCoreApplication::translate("Usage", "last refresh")},
            {Format::cost(month.usd), QCoreApplication::translate("Usage", "this month")},
            {Format::cost(log.totalUSD), QCoreApplication::translate("Usage", "all time")},
            {Format::count(month.files), QCoreApplication::translate("Usage", "file(s) this month",
                                                                     nullptr, int(month.files))}};
}

std::optional<double> escalationShare(const UsageLog& log) {
    qint64 sent = 0;
    qint64 escalated = 0;
    int counted = 0;
    for (auto run = log.runs.crbegin(); run != log.runs.crend() && counted < shareRuns; ++run) {
        // A stopped run may end before its second look.
        if (run->sent.files < 1 || run->stopped || run->local) continue;
        sent += run->sent.files;
        escalated += run->sent.escalated;
        ++counted;
    }
    if (sent < 1) return std::nullopt;
    return double(escalated) / double(sent);
}

} // namespace UsageLedger

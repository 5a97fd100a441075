#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QSize>
#include <QString>

#include <functional>
#include <mutex>
#include <optional>

struct MonthUsage {
    double usd = 0;
    qint64 files = 0;
};

// What a refresh handed to the model: files in its first pass, and files
// asked again of the stronger model.
struct RunSent {
    qint64 files = 0;
    qint64 escalated = 0;
};

struct RunUsage {
    QDateTime date;
    double usd = 0;
    qint64 files = 0;
    qint64 calls = 0;
    RunSent sent;
    bool stopped = false; // the user stopped it before the end
    // Files answered from earlier decisions, without a call.
    qint64 cached = 0;
    // Asked of the user's own server: free, and outside the month's file cap.
    bool local = false;
};

// The "usage.json" ledger: months are never pruned, runs keep the newest 60.
struct UsageLog {
    double totalUSD = 0;
    QMap<QString, MonthUsage> months;
    QList<RunUsage> runs;
};

// US dollars per million tokens.
struct Price {
    double input = 0;
    double output = 0;
};

struct RunTotals {
    double usd = 0;
    qint64 calls = 0;
};

struct UsageFigure {
    QString value;
    QString label;
};

// The process-wide run counters, plus the ledger file they are folded into at
// the end of each refresh. Tests make their own instance with a fixed clock.
class Usage {
public:
    using Clock = std::function<QDateTime()>;

    explicit Usage(Clock now = &QDateTime::currentDateTime);

    static Usage& shared();
    static Price price(const QString& model);
    // Cost in US dollars of one call's "usage" object.
    static double cost(const QJsonObject& usage, const QString& model);
    // Input tokens a picture is billed as: its pixels over 750, once the
    // model has shrunk it to 1568 pixels a side and about 1.15 megapixels.
    static qint64 imageTokens(QSize size);

    void add(double usd);
    // Starts a run's counters; a local run is booked as one.
    void reset(bool local = false);
    RunTotals take();
    RunTotals current() const;

    // Takes the counters, records the run in "usage.json" and returns its cost.
    double endRun(qint64 files, RunSent sent = {}, bool stopped = false, qint64 cached = 0);
    QList<UsageFigure> summary() const;

private:
    Clock now_;
    mutable std::mutex lock_;
    double runUSD_ = 0;
    qint64 runCalls_ = 0;
    bool runLocal_ = false;
};

namespace UsageLedger {

inline constexpr int maxRuns = 60;

QString path();
// Missing, unreadable or incomplete files give the empty log.
UsageLog load();
void save(const UsageLog& log);

std::optional<UsageLog> decode(const QByteArray& bytes);
QByteArray encode(const UsageLog& log);

QString monthKey(const QDateTime& now);
UsageLog addRun(UsageLog log, const RunUsage& run, const QString& monthKey);
QList<UsageFigure> summary(const UsageLog& log, const QString& monthKey);
// The share of first-pass files the stronger model was asked about again,
// over the recent runs that sent any; none without such runs.
std::optional<double> escalationShare(const UsageLog& log);

} // namespace UsageLedger

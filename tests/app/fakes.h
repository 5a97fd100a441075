#pragma once

#include "appstate.h"
#include "model.h"
#include "notifier.h"
#include "store.h"
#include "testhome.h"
#include "testitems.h"
#include "usage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QtConcurrent>

#include <atomic>
#include <memory>
#include <optional>

// Records what would have been shown; `up` plays a present or absent server.
class RecordingNotifications : public NotificationService {
public:
    bool up = true;
    QList<Notification> shown;

    bool available() override { return up; }
    void show(const Notification& note) override { shown.append(note); }
    void click(const QString& id) { emit clicked(id); }
};

// Stands in for Claude: answers the reachability ping, discovery with no
// projects, and every listed file as a confident personal document.
struct FakeClaude {
    std::optional<Model::Failure> classifyFailure;
    QString discoveryReply = QStringLiteral("[]");
    std::atomic<int> batches = 0;
    std::atomic<int> discoveries = 0;

    static QList<qint64> idsIn(const QJsonArray& content) {
        QList<qint64> ids;
        for (const QJsonValue& block : content) {
            const QString text = block.toObject().value(QStringLiteral("text")).toString();
            if (!text.startsWith(QStringLiteral("Files, one JSON object per line:"))) continue;
            for (const QString& line : text.split(QLatin1Char('\n')).mid(1))
                ids.append(QJsonDocument::fromJson(line.toUtf8())
                               .object()
                               .value(QStringLiteral("id"))
                               .toInteger());
        }
        return ids;
    }

    Model::Send send() {
        return [this](const QString&, const QString&, const QString& system,
                      const QJsonArray& content, int) -> QFuture<Model::Answer> {
            if (system == QStringLiteral("Reply with OK."))
                return QtFuture::makeReadyFuture(Model::Answer(QStringLiteral("OK")));
            const QList<qint64> ids = idsIn(content);
            if (ids.isEmpty()) {
                ++discoveries;
                return QtFuture::makeReadyFuture(Model::Answer(discoveryReply));
            }
            ++batches;
            if (classifyFailure) return QtFuture::makeReadyFuture(Model::Answer(*classifyFailure));
            QStringList reply;
            for (qint64 id : ids)
                reply.append(QStringLiteral(R"({"id":%1,"category":"personal","sub":"Documents",)"
                                            R"("confidence":"high","reason":"a note"})")
                                 .arg(id));
            return QtFuture::makeReadyFuture(Model::Answer('[' + reply.join(',') + ']'));
        };
    }
};

// What a state under test talks to: a throw-away HOME, a clock the test sets,
// the stand-in model and usage counters, a notification sink, and the windows
// it asked to open.
struct AppFixture {
    std::unique_ptr<TestHome> home;
    RecordingNotifications notifications;
    std::unique_ptr<FakeClaude> claude;
    std::unique_ptr<Usage> usage;
    QDateTime clock;
    QStringList opened;

    void fresh(const QDateTime& now) {
        home = std::make_unique<TestHome>();
        claude = std::make_unique<FakeClaude>();
        usage = std::make_unique<Usage>();
        notifications.shown.clear();
        notifications.up = true;
        opened.clear();
        clock = now;
    }

    QString settingsPath() const {
        return home->path(QStringLiteral(".config/Tovrin/Tovrin.conf"));
    }

    std::unique_ptr<AppState> makeState(NotificationService* service = nullptr) {
        AppServices s;
        s.now = [this] { return clock; };
        s.notifications = service ? service : &notifications;
        s.send = claude->send();
        s.usage = usage.get();
        s.settingsPath = settingsPath();
        auto state = std::make_unique<AppState>(s);
        state->setOpenWindow([this](const QString& id) { opened.append(id); });
        return state;
    }

    static void onboard(const QStringList& projects = {},
                        std::optional<QDateTime> lastRun = std::nullopt, bool autoTidy = false) {
        Profile profile;
        profile.onboarded = true;
        for (const QString& name : projects)
            profile.projects.append(project(name));
        profile.lastRun = lastRun;
        profile.autoTidy = autoTidy;
        Store::saveProfile(profile);
    }
};

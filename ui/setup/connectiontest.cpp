#include "connectiontest.h"

#include "claudeapi.h"

#include <QJsonArray>
#include <QJsonObject>

void ConnectionTest::run(const QString& key, const QString& model) {
    if (testing_) return;
    testing_ = true;
    result_.clear();
    emit changed();

    ClaudeAPI api;
    api.apiKey = key.trimmed();
    api.model = model;
    const QJsonArray content{QJsonObject{{QStringLiteral("type"), QStringLiteral("text")},
                                         {QStringLiteral("text"), QStringLiteral("ping")}}};
    api.send(QStringLiteral("Reply with OK."), content, 5)
        .then(this,
              [this](const ClaudeReply& reply) {
                  const ClaudeError* error = reply.error();
                  finish(error ? error->description() : QStringLiteral("Connected."));
              })
        .onCanceled(this, [this] { finish(QStringLiteral("The request was cancelled.")); });
}

void ConnectionTest::finish(const QString& result) {
    testing_ = false;
    result_ = result;
    emit changed();
}

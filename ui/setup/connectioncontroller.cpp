#include "connectioncontroller.h"

#include "claudeapi.h"

#include <QJsonArray>
#include <QJsonObject>

void ConnectionController::run(const QString& key, const QString& model) {
    if (testing_) return;
    testing_ = true;
    result_.clear();
    connected_ = false;
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
                  if (error)
                      finish(false, error->description());
                  else
                      finish(true, tr("Connected."));
              })
        .onCanceled(this, [this] { finish(false, tr("The request was cancelled.")); });
}

void ConnectionController::finish(bool connected, const QString& result) {
    testing_ = false;
    connected_ = connected;
    result_ = result;
    emit changed();
}

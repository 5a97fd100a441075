#include "claudesender.h"

#include "claudeapi.h"

#include <QCoreApplication>
#include <QPromise>
#include <QThread>

#include <memory>

namespace ClaudeSender {

Model::Send make(ClaudeAPI::Wait wait) {
    return [wait](const QString& apiKey, const QString& model, const QString& system,
                  const QJsonArray& content, int maxTokens) {
        auto promise = std::make_shared<QPromise<Model::Answer>>();
        promise->start();
        QFuture<Model::Answer> future = promise->future();
        auto settle = [promise](Model::Answer answer) {
            promise->addResult(std::move(answer));
            promise->finish();
        };
        auto call = [=] {
            ClaudeAPI api;
            api.apiKey = apiKey;
            api.model = model;
            api.wait = wait;
            api.send(system, content, maxTokens)
                .then([settle](const ClaudeReply& reply) {
                    if (const ClaudeError* error = reply.error())
                        settle(Model::Failure{error->isFatal(), error->description(),
                                              error->isAPIError()});
                    else
                        settle(reply.text());
                })
                // A call that ends without an answer must still end its batch.
                .onCanceled([settle] {
                    settle(
                        Model::Failure{false, QStringLiteral("The request was cancelled."), false});
                });
        };
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() == app->thread())
            call();
        else
            QMetaObject::invokeMethod(app, call, Qt::QueuedConnection);
        return future;
    };
}

} // namespace ClaudeSender

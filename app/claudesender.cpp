#include "claudesender.h"

#include "claudeapi.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPromise>
#include <QThread>

#include <memory>

namespace ClaudeSender {

Model::Send make(ClaudeAPI::Wait wait, Usage* usage) {
    return [wait, usage](const QString& apiKey, const QString& model, const QString& system,
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
            api.usage = usage;
            QFuture<ClaudeReply> claude = api.send(system, content, maxTokens);
            // Cancelling the answer cancels the call; it settles once its
            // request is aborted.
            auto* watcher = new QFutureWatcher<Model::Answer>;
            QObject::connect(watcher, &QFutureWatcherBase::canceled,
                             [claude]() mutable { claude.cancel(); });
            QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                             &QObject::deleteLater);
            watcher->setFuture(future);
            claude
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

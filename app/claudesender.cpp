#include "claudesender.h"

#include "claudeapi.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPromise>
#include <QThread>

#include <memory>

namespace ClaudeSender {

Model::Send make(ClaudeAPI::Wait wait, Usage* usage, std::optional<LocalModel> local) {
    return [wait, usage, local](const QString& apiKey, const QString& model, const QString& system,
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
            api.local = local;
            if (local) api.transferTimeoutMs = ClaudeAPI::localTransferTimeoutMs;
            // Watched, not continued: on Qt 6.4 a call cancelled with a
            // continuation attached crashed when it ended.
            auto* claude = new QFutureWatcher<ClaudeReply>;
            QObject::connect(claude, &QFutureWatcherBase::finished, claude, [claude, settle] {
                claude->deleteLater();
                const QFuture<ClaudeReply> future = claude->future();
                // A call that ends without an answer must still end its batch.
                if (future.resultCount() == 0)
                    return settle(Model::Failure{
                        false,
                        QCoreApplication::translate("ClaudeSender", "The request was cancelled."),
                        false});
                const ClaudeReply reply = future.result();
                if (const ClaudeError* error = reply.error())
                    return settle(Model::Failure{error->isFatal(), error->description(),
                                                 error->isAPIError(), error->isHttpError()});
                settle(reply.text());
            });
            claude->setFuture(api.send(system, content, maxTokens));
            // Cancelling the answer cancels the call, which aborts its request.
            auto* answer = new QFutureWatcher<Model::Answer>;
            QObject::connect(answer, &QFutureWatcherBase::canceled, claude,
                             &QFutureWatcherBase::cancel);
            QObject::connect(answer, &QFutureWatcherBase::finished, answer, &QObject::deleteLater);
            answer->setFuture(future);
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

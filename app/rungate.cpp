#include "rungate.h"

#include <QCoreApplication>

#include <algorithm>

Model::Send RunGate::wrap(const std::shared_ptr<RunGate>& gate, Model::Send send) {
    return [gate, send = std::move(send)](const QString& apiKey, const QString& model,
                                          const QString& system, const QJsonArray& content,
                                          int maxTokens) {
        // Held while sending, so a stop either sees this request or refuses it.
        QMutexLocker lock(&gate->mutex_);
        if (gate->stopped_)
            return QtFuture::makeReadyFuture(Model::Answer(Model::Failure{
                true, QCoreApplication::translate("RunGate", "The refresh was stopped."), false}));
        QFuture<Model::Answer> answer = send(apiKey, model, system, content, maxTokens);
        gate->inFlight_.removeIf([](const QFuture<Model::Answer>& f) { return f.isFinished(); });
        gate->inFlight_.append(answer);
        return answer;
    };
}

void RunGate::sending(int files, bool again) {
    QMutexLocker lock(&mutex_);
    if (stopped_) return;
    (again ? sent_.escalated : sent_.files) += files;
}

void RunGate::stop() {
    QList<QFuture<Model::Answer>> cancel;
    {
        QMutexLocker lock(&mutex_);
        stopped_ = true;
        cancel = inFlight_;
    }
    for (QFuture<Model::Answer>& answer : cancel)
        answer.cancel();
}

bool RunGate::stopped() const {
    QMutexLocker lock(&mutex_);
    return stopped_;
}

bool RunGate::settled() const {
    QMutexLocker lock(&mutex_);
    return std::all_of(inFlight_.cbegin(), inFlight_.cend(),
                       [](const QFuture<Model::Answer>& f) { return f.isFinished(); });
}

RunSent RunGate::sent() const {
    QMutexLocker lock(&mutex_);
    return sent_;
}

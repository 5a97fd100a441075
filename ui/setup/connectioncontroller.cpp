#include "connectioncontroller.h"

#include "claudeapi.h"
#include "claudesender.h"

void ConnectionController::run(const QString& key, const QString& model) {
    if (testing_) return;
    testing_ = true;
    result_.clear();
    connected_ = false;
    emit changed();

    Claude::ping(ClaudeSender::make(), key.trimmed(), model)
        .then(this,
              [this](const Model::Answer& answer) {
                  const auto* failure = std::get_if<Model::Failure>(&answer);
                  if (failure)
                      finish(false, failure->description);
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

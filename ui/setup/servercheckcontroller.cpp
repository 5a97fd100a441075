#include "servercheckcontroller.h"

#include "localserver.h"

#include <QUrl>

void ServerCheckController::run(const QString& address) {
    if (checking_) return;
    checking_ = true;
    problem_.clear();
    address_ = address.trimmed();
    emit changed();
    LocalServer::models(QUrl(address_)).then(this, [this](const Outcome<QStringList>& found) {
        checking_ = false;
        if (const auto* failure = std::get_if<Model::Failure>(&found)) {
            models_.clear();
            problem_ = failure->description;
        } else {
            models_ = std::get<QStringList>(found);
        }
        emit changed();
    });
}

#include "localserver.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPromise>

#include <memory>

namespace LocalServer {

namespace {

// A listing is small and local: a server that takes longer is not answering.
constexpr int listingTimeoutMs = 10'000;
const QStringList listingPaths = {QStringLiteral("/api/tags"), QStringLiteral("/v1/models")};

struct Lookup {
    QUrl address;
    // Let go of later: the last holder may be a reply's own handler.
    std::unique_ptr<QNetworkAccessManager, void (*)(QObject*)> network{
        new QNetworkAccessManager, [](QObject* object) { object->deleteLater(); }};
    QPromise<Outcome<QStringList>> promise;
    bool answered = false; // some path got an HTTP answer
};

struct Text {
    Q_DECLARE_TR_FUNCTIONS(LocalServer)
};

// The names in one listing body, in its order; none when it is not one.
std::optional<QStringList> parseListing(const QByteArray& body) {
    const QJsonObject object = QJsonDocument::fromJson(body).object();
    const QJsonValue models = object.value(QLatin1String("models"));
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!models.isArray() && !data.isArray()) return std::nullopt;
    QStringList names;
    for (const QJsonValue& entry : models.isArray() ? models.toArray() : data.toArray()) {
        const QJsonObject model = entry.toObject();
        const QString name =
            model.value(QLatin1String(models.isArray() ? "name" : "id")).toString();
        if (!name.isEmpty() && !names.contains(name)) names.append(name);
    }
    return names;
}

void settle(const std::shared_ptr<Lookup>& lookup, Outcome<QStringList> outcome) {
    lookup->promise.addResult(std::move(outcome));
    lookup->promise.finish();
}

void ask(const std::shared_ptr<Lookup>& lookup, qsizetype path) {
    if (path == listingPaths.size()) {
        const QString where = lookup->address.authority();
        return settle(lookup,
                      Model::Failure{false,
                                     lookup->answered
                                         ? Text::tr("The server at %1 lists no models.").arg(where)
                                         : unreachable(lookup->address),
                                     lookup->answered});
    }
    QUrl url = lookup->address;
    QString base = url.path();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url.setPath(base + listingPaths.at(path));
    QNetworkRequest request(url);
    request.setTransferTimeout(listingTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = lookup->network->get(request);
    QObject::connect(reply, &QNetworkReply::finished, reply, [lookup, reply, path] {
        reply->deleteLater();
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        lookup->answered = lookup->answered || status.isValid();
        if (status.toInt() == 200)
            if (std::optional<QStringList> names = parseListing(reply->readAll());
                names && !names->isEmpty())
                return settle(lookup, *names);
        ask(lookup, path + 1);
    });
}

} // namespace

QString unreachable(const QUrl& address) {
    return Text::tr("Couldn't reach the model at %1. Check that its server is running and try "
                    "again.")
        .arg(address.authority());
}

QFuture<Outcome<QStringList>> models(const QUrl& address) {
    auto lookup = std::make_shared<Lookup>();
    lookup->address = address;
    lookup->promise.start();
    QFuture<Outcome<QStringList>> future = lookup->promise.future();
    if (!address.isValid() || address.host().isEmpty() ||
        (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https"))) {
        settle(lookup, Model::Failure{false,
                                      Text::tr("That doesn't look like a server address. Try "
                                               "http://localhost:11434."),
                                      true});
        return future;
    }
    ask(lookup, 0);
    return future;
}

} // namespace LocalServer

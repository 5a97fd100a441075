#include "claudeapi.h"

#include "records.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QPromise>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The texts the user reads, translated where they are made.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Claude)
};

QString relayUnavailable() {
    return Text::tr("Tovrin is temporarily unavailable. Please try again later.");
}

bool onThisComputerOrTrusted(const LocalModel& local) {
    return local.trusted || Claude::onThisComputer(QUrl(local.address));
}

QString relayNotSetUp() {
    return Text::tr(
        "Tovrin's own Claude access isn't set up in this build. Add your API key in Settings.");
}

// The key travels in the clear over http, so only to this machine.
bool safeForKey(const QUrl& base) {
    return base.scheme() == QLatin1String("https") || Claude::onThisComputer(base);
}

// The body as a stream that cannot be rewound. Qt's HTTP stack sends a request
// again by itself when a connection closes unanswered, but only after
// rewinding its body; this one refuses, so each post reaches the wire once.
class OneShotBody : public QIODevice {
public:
    OneShotBody(QByteArray bytes, QObject* parent) : QIODevice(parent), bytes_(std::move(bytes)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool reset() override { return false; }
    qint64 bytesAvailable() const override {
        return bytes_.size() - at_ + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 most) override {
        if (at_ == bytes_.size()) return -1;
        const qint64 n = std::min(most, bytes_.size() - at_);
        std::memcpy(data, bytes_.constData() + at_, size_t(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 at_ = 0;
};

// One manager per thread keeps connections alive across the many calls of a
// refresh; it lives as long as its thread (or the application, on the main one).
QNetworkAccessManager* threadNetwork() {
    thread_local QPointer<QNetworkAccessManager> manager;
    if (!manager) {
        manager = new QNetworkAccessManager;
        QThread* thread = QThread::currentThread();
        QCoreApplication* app = QCoreApplication::instance();
        if (app && app->thread() == thread)
            manager->setParent(app);
        else
            QObject::connect(thread, &QThread::finished, manager.data(), &QObject::deleteLater);
    }
    return manager;
}

struct Call {
    ClaudeAPI api;
    QNetworkRequest request;
    QByteArray body;
    Claude::Route route = Claude::Route::direct;
    int attempt = 0;
    QPromise<ClaudeReply> promise;
    QPointer<QNetworkReply> inFlight;
    // Tells the call when its future is cancelled, so it stops at once.
    std::unique_ptr<QFutureWatcher<ClaudeReply>, void (*)(QObject*)> watcher{
        nullptr, [](QObject* object) { object->deleteLater(); }};
};

// Finishing twice would run the future's continuations twice.
void end(const std::shared_ptr<Call>& call) {
    if (!call->promise.future().isFinished()) call->promise.finish();
}

// A cancelled call finishes now: the request in flight is aborted, and a busy
// wait that is still running finds the call finished when it ends.
void watchForCancel(const std::shared_ptr<Call>& call) {
    call->watcher.reset(new QFutureWatcher<ClaudeReply>);
    const std::weak_ptr<Call> weak = call;
    QObject::connect(call->watcher.get(), &QFutureWatcherBase::canceled, [weak] {
        const std::shared_ptr<Call> call = weak.lock();
        if (!call) return;
        if (call->inFlight) call->inFlight->abort();
        end(call);
    });
    call->watcher->setFuture(call->promise.future());
}

void finish(const std::shared_ptr<Call>& call, ClaudeReply reply) {
    call->promise.addResult(std::move(reply));
    end(call);
}

void fail(const std::shared_ptr<Call>& call, ClaudeError error) {
    finish(call, {std::move(error)});
}

void post(const std::shared_ptr<Call>& call);

void handle(const std::shared_ptr<Call>& call, QNetworkReply* reply) {
    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    // Errors below 200 are connection, time-out and proxy failures; the rest
    // are Qt's reading of an HTTP status, which the answer table judges.
    const bool transport = (error > QNetworkReply::NoError && error < 200) ||
                           (error != QNetworkReply::NoError && !statusAttribute.isValid());
    // Qt words a request it was not allowed to send again as "Unknown error".
    const QString why = error == QNetworkReply::ContentReSendError
                            ? Text::tr("The connection closed before Claude answered.")
                            : reply->errorString();
    if (transport) return fail(call, ClaudeError::other(ClaudeError::Kind::transport, why));

    const QByteArray body = reply->readAll();
    const int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    const Claude::Verdict verdict = Claude::judge(status, body, call->route);
    switch (verdict.step) {
    case Claude::Step::fail:
        return fail(call, ClaudeError::fromAPI(verdict.error));
    case Claude::Step::busyWait:
        if (call->promise.isCanceled()) return end(call);
        call->api.wait(Claude::busyDelay(call->attempt), [call] {
            if (call->promise.isCanceled()) return end(call);
            if (call->attempt == Claude::maxAttempt)
                return fail(call, ClaudeError::fromAPI(APIError::busy()));
            ++call->attempt;
            post(call);
        });
        return;
    case Claude::Step::success:
        break;
    }

    auto parsed = Claude::parseSuccess(body);
    if (const QString* parseError = std::get_if<QString>(&parsed))
        return fail(call, ClaudeError::other(ClaudeError::Kind::json, *parseError));
    if (const APIError* bad = std::get_if<APIError>(&parsed))
        return fail(call, ClaudeError::fromAPI(*bad));
    Claude::Success& success = std::get<Claude::Success>(parsed);
    if (call->route == Claude::Route::local)
        call->api.usage->add(0);
    else if (success.usage)
        call->api.usage->add(Usage::cost(*success.usage, call->api.model));
    finish(call, {std::move(success.text)});
}

void post(const std::shared_ptr<Call>& call) {
    if (call->promise.isCanceled()) return end(call);
    auto* body = new OneShotBody(call->body, nullptr);
    QNetworkReply* reply = threadNetwork()->post(call->request, body);
    body->setParent(reply);
    call->inFlight = reply;
    // Run even when the call was cancelled meanwhile: an answer that got here
    // was billed, so it is priced; its result goes nowhere.
    QObject::connect(reply, &QNetworkReply::finished, reply, [call, reply] {
        reply->deleteLater();
        handle(call, reply);
    });
}

} // namespace

QString APIError::errorDescription() const {
    switch (kind) {
    case Kind::http:
        return Text::tr("Claude API error %1: %2")
            .arg(QString::number(status), leftChars(body, 160));
    case Kind::fatal:
        return message;
    case Kind::badResponse:
        return Text::tr("Unexpected response from Claude.");
    case Kind::busy:
        return Text::tr("Claude is busy right now. Try again in a minute.");
    }
    return {};
}

QString ClaudeError::description() const {
    return kind == Kind::api ? api.errorDescription() : message;
}

QFuture<ClaudeReply> ClaudeAPI::send(const QString& system, const QJsonArray& content,
                                     int maxTokens) const {
    auto call = std::make_shared<Call>();
    call->api = *this;
    call->promise.start();
    QFuture<ClaudeReply> future = call->promise.future();

    QUrl base = baseUrl;
    if (local) {
        call->route = Claude::Route::local;
        base = QUrl(local->address);
        if (!onThisComputerOrTrusted(*local)) {
            fail(call, ClaudeError::fromAPI(APIError::fatal(
                           Text::tr("Tovrin sends your files to %1 only once you switch on "
                                    "“I trust this server” in Settings. Nothing was moved.")
                               .arg(base.authority()))));
            return future;
        }
        // Only what the server's protocol asks for: no key, nothing of the user's.
        call->request.setRawHeader("anthropic-version", "2023-06-01");
    } else if (apiKey == relayKey) {
        call->route = Claude::Route::relay;
        if (relayUrl.isEmpty()) {
            fail(call, ClaudeError::other(ClaudeError::Kind::relayToken, relayNotSetUp()));
            return future;
        }
        const RelayToken token = relayToken();
        if (const ClaudeError* error = token.error()) {
            fail(call, *error);
            return future;
        }
        call->request.setRawHeader("authorization", "Bearer " + token.text().toUtf8());
        base = relayUrl;
    } else {
        call->request.setRawHeader("x-api-key", apiKey.toUtf8());
        call->request.setRawHeader("anthropic-version", "2023-06-01");
    }
    if (!local && !safeForKey(base)) {
        fail(call,
             ClaudeError::fromAPI(APIError::fatal(
                 Text::tr(
                     "Tovrin won't send your Claude key to %1 without https. Nothing was moved.")
                     .arg(base.host()))));
        return future;
    }
    call->request.setRawHeader("content-type", "application/json");
    call->request.setUrl(Claude::endpoint(base));
    call->request.setTransferTimeout(transferTimeoutMs);
    // A redirect would carry the key to another host; 3xx is reported instead.
    call->request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                               QNetworkRequest::ManualRedirectPolicy);
    call->body = Claude::requestBody(model, system, content, maxTokens);
    call->request.setHeader(QNetworkRequest::ContentLengthHeader, call->body.size());
    call->request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
    call->request.setAttribute(QNetworkRequest::Http2DirectAttribute, http2Direct);
    watchForCancel(call);
    post(call);
    return future;
}

void ClaudeAPI::defaultWait(int seconds, std::function<void()> then) {
    QTimer::singleShot(seconds * 1000, std::move(then));
}

QUrl ClaudeAPI::defaultBaseUrl() {
    const QString fromEnvironment = qEnvironmentVariable("ANTHROPIC_BASE_URL");
    return QUrl(fromEnvironment.isEmpty() ? QStringLiteral("https://api.anthropic.com")
                                          : fromEnvironment);
}

QUrl ClaudeAPI::defaultRelayUrl() {
    return QUrl(QStringLiteral(TOVRIN_RELAY_URL));
}

RelayToken ClaudeAPI::defaultRelayToken() {
    const QString token = QStringLiteral(TOVRIN_RELAY_TOKEN);
    if (token.isEmpty())
        return {ClaudeError::other(ClaudeError::Kind::relayToken, relayNotSetUp())};
    return {token};
}

namespace Claude {

QByteArray requestBody(const QString& model, const QString& system, const QJsonArray& content,
                       int maxTokens) {
    const QJsonObject message{{QStringLiteral("role"), QStringLiteral("user")},
                              {QStringLiteral("content"), content}};
    const QJsonObject body{{QStringLiteral("model"), model},
                           {QStringLiteral("max_tokens"), maxTokens},
                           {QStringLiteral("system"), system},
                           {QStringLiteral("messages"), QJsonArray{message}}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

QUrl endpoint(const QUrl& base) {
    QUrl url = base;
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    url.setPath(path + QStringLiteral("/v1/messages"));
    return url;
}

bool onThisComputer(const QUrl& address) {
    return address.host() == QLatin1String("localhost") ||
           QHostAddress(address.host()).isLoopback();
}

Verdict judge(int status, const QByteArray& body, Route route) {
    const QString text = QString::fromUtf8(body);
    const bool relay = route == Route::relay;
    if (relay && status == 503 && text.contains(QLatin1String("service_unavailable")))
        return {Step::fail, APIError::fatal(relayUnavailable())};
    if (relay && status == 401) return {Step::fail, APIError::fatal(relayUnavailable())};
    if (status == 429 || status >= 500) return {Step::busyWait, {}};
    if (status != 200 && text.contains(QLatin1String("credit balance")))
        return {Step::fail,
                APIError::fatal(Text::tr("Your Claude credits ran out. Top up at %1, then refresh "
                                         "again. Nothing was moved.")
                                    .arg(consoleUrl))};
    if (status == 200) return {Step::success, {}};
    if (status == 401 || status == 403)
        return {Step::fail,
                APIError::fatal(
                    Text::tr("Tovrin couldn't sign in to Claude (error %1). Nothing was moved.")
                        .arg(status))};
    if (route == Route::local && status == 404 && text.contains(QLatin1String("model")))
        return {Step::fail, APIError::fatal(Text::tr("The model server doesn't have that model: %1")
                                                .arg(leftChars(text, 140)))};
    if (status == 404 && text.contains(QLatin1String("model")))
        return {
            Step::fail,
            APIError::fatal(Text::tr("Claude model not available: %1").arg(leftChars(text, 140)))};
    return {Step::fail, APIError::http(status, text)};
}

QFuture<Model::Answer> ping(const Model::Send& send, const QString& apiKey, const QString& model) {
    return send(apiKey, model, QStringLiteral("Reply with OK."),
                QJsonArray{Model::textBlock(QStringLiteral("ping"))}, 5);
}

std::variant<Success, APIError, QString> parseSuccess(const QByteArray& body) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) return error.errorString();
    const QJsonValue content = document.object().value(QLatin1String("content"));
    if (!document.isObject() || !content.isArray()) return APIError::badResponse();

    Success success;
    for (const QJsonValue& block : content.toArray()) {
        if (!block.isObject()) return APIError::badResponse();
        const QJsonValue text = block.toObject().value(QLatin1String("text"));
        if (text.isString()) success.text += text.toString();
    }
    const QJsonValue usage = document.object().value(QLatin1String("usage"));
    if (usage.isObject()) success.usage = usage.toObject();
    return success;
}

} // namespace Claude

#pragma once

#include "model.h"
#include "records.h"
#include "usage.h"

#include <QByteArray>
#include <QFuture>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>
#include <variant>

// The closed set of answers from Claude that callers turn into user-facing text.
struct APIError {
    enum class Kind { http, fatal, badResponse, busy };

    Kind kind = Kind::badResponse;
    int status = 0;  // http
    QString body;    // http
    QString message; // fatal

    static APIError http(int status, QString body) { return {Kind::http, status, body, {}}; }
    static APIError fatal(QString message) { return {Kind::fatal, 0, {}, message}; }
    static APIError badResponse() { return {Kind::badResponse, 0, {}, {}}; }
    static APIError busy() { return {Kind::busy, 0, {}, {}}; }

    QString errorDescription() const;
};

// Anything a call can end with other than a reply text. Only the api kind is an
// APIError; the others are the HTTP client's, the JSON parser's or the relay
// token source's own failures, passed on with their message.
struct ClaudeError {
    enum class Kind { api, transport, json, relayToken };

    Kind kind = Kind::api;
    APIError api;
    QString message;

    static ClaudeError fromAPI(APIError error) { return {Kind::api, std::move(error), {}}; }
    static ClaudeError other(Kind kind, QString message) { return {kind, {}, std::move(message)}; }

    bool isAPIError() const { return kind == Kind::api; }
    bool isHttpError() const { return kind == Kind::api && api.kind == APIError::Kind::http; }
    bool isFatal() const { return kind == Kind::api && api.kind == APIError::Kind::fatal; }
    QString description() const;
};

struct ClaudeReply {
    std::variant<QString, ClaudeError> value;

    bool ok() const { return std::holds_alternative<QString>(value); }
    QString text() const { return ok() ? std::get<QString>(value) : QString(); }
    const ClaudeError* error() const { return std::get_if<ClaudeError>(&value); }
};

// The relay's bearer token, or why there is none.
using RelayToken = ClaudeReply;

// One Messages API client per use: a key, a model and the hooks tests replace.
// send() must be called on a thread with a running event loop; the returned
// future finishes there. Cancelling the future ends the call at once, with no
// result: the request in flight is aborted and no resend follows.
struct ClaudeAPI {
    using Wait = std::function<void(int seconds, std::function<void()> then)>;
    using TokenSource = std::function<RelayToken()>;

    static inline const QString relayKey = QStringLiteral("@tovrin-server");

    QString apiKey;
    QString model;
    // A server on the user's own computer instead of Claude: it alone is
    // asked, with no key and no relay, and its answers cost nothing.
    std::optional<LocalModel> local;
    Wait wait = defaultWait;
    QUrl baseUrl = defaultBaseUrl();
    QUrl relayUrl = defaultRelayUrl();
    TokenSource relayToken = defaultRelayToken;
    Usage* usage = &Usage::shared();
    int transferTimeoutMs = 180'000;
    // A model on an ordinary computer can take minutes over one batch.
    static constexpr int localTransferTimeoutMs = 600'000;
    // Cleartext HTTP/2 from the first byte, as the local stand-in speaks it;
    // over https, HTTP/2 is agreed with the host anyway.
    bool http2Direct = false;

    QFuture<ClaudeReply> send(const QString& system, const QJsonArray& content,
                              int maxTokens) const;

    static void defaultWait(int seconds, std::function<void()> then);
    // "https://api.anthropic.com", or ANTHROPIC_BASE_URL when set; a call
    // sends its key over plain http only to this machine.
    static QUrl defaultBaseUrl();
    // The build's TOVRIN_RELAY_URL; empty when the build has none.
    static QUrl defaultRelayUrl();
    static RelayToken defaultRelayToken();
};

// The pure parts of a call, shared with the tests and benchmarks.
namespace Claude {

inline const QString consoleUrl = QStringLiteral("https://console.anthropic.com");

QByteArray requestBody(const QString& model, const QString& system, const QJsonArray& content,
                       int maxTokens);
QUrl endpoint(const QUrl& base);

// What an answer means, checked in the fixed order of the answer table.
enum class Step { busyWait, success, fail };
struct Verdict {
    Step step = Step::fail;
    APIError error;
};
enum class Route { direct, relay, local };
Verdict judge(int status, const QByteArray& body, Route route);

// Whether requests to this address stay on this computer.
bool onThisComputer(const QUrl& address);

struct Success {
    QString text;
    std::optional<QJsonObject> usage;
};
// A 200 body: the reply text, or badResponse, or the parser's error text.
std::variant<Success, APIError, QString> parseSuccess(const QByteArray& body);

// Seconds to wait after the attempt-th busy answer (0-based).
inline int busyDelay(int attempt) {
    return attempt * 5 + 3;
}
inline constexpr int maxAttempt = 3;

// The smallest request there is, sent through `send`: whether Claude answers
// this key and model at all.
QFuture<Model::Answer> ping(const Model::Send& send, const QString& apiKey, const QString& model);

} // namespace Claude

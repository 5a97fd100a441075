#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <atomic>
#include <memory>
#include <mutex>

class QTcpServer;
class QTcpSocket;

// A local stand-in for the Messages API on 127.0.0.1 only: cleartext HTTP/1.1,
// or HTTP/2 for a client that starts with its preface.
namespace FakeClaude {

class Http2;

struct Request {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers; // names lower-cased
    QByteArray body;
};

struct Answer {
    int status = 200;
    QByteArray body;
    bool drop = false; // close the connection without answering
    int delayMs = 0;
};

struct Options {
    // One entry per accepted request, then normal answers. An entry is a
    // status number, one of "drop", "notjson", "array", "credit", "model",
    // "hostile" (the normal decisions with escaping paths, giant strings and
    // stray ids), or
    // an object {"status": n, "body": "...", "delayMs": n}.
    QJsonArray script;
    int delayMs = 0;
    // Re-read on every request; when present its {"script", "delayMs"} win,
    // and a changed file starts its script from the top.
    QString controlFile;
    // One JSON line per request: headers, body, and the concurrency seen.
    QString logFile;
    // A model server on the user's computer: no key asked for, the models it
    // holds listed at GET /api/tags and GET /v1/models, and every answer
    // slower by localDelayMs.
    bool local = false;
    QStringList models = {QStringLiteral("small-text:3b"), QStringLiteral("small-vision:7b"),
                          QStringLiteral("larger-text:14b")};
};

inline constexpr int localDelayMs = 40;

// The normal answer: a 400 for a malformed request, else a Messages reply,
// or the models listing of a local server.
Answer answer(const Request& request, int serial, const Options& options = {});
// What the model "says" to a well-formed request body.
QString replyText(const QJsonObject& body);
// An injected answer for one script entry; normal is used for 200.
Answer scripted(const QJsonValue& step, const Answer& normal);

class Server : public QObject {
    Q_OBJECT
public:
    explicit Server(Options options, QObject* parent = nullptr);
    ~Server() override;

    bool listen(quint16 port = 0);
    quint16 port() const;
    QUrl url() const;

    int peakConcurrent() const { return peak_; }
    int requestCount() const { return serial_; }
    // Requests still waiting for their answer on an open connection.
    int waiting() const;
    QList<Request> requests() const;
    void setScript(const QJsonArray& script, int delayMs = 0);

private:
    struct Connection {
        QByteArray buffer;
        bool busy = false;
        std::shared_ptr<Http2> http2;
        int streams = 0; // HTTP/2 requests not yet answered
    };

    void accept();
    void readFrom(QTcpSocket* socket);
    void serve(QTcpSocket* socket, Request request, int stream = 0);
    void reply(const QPointer<QTcpSocket>& socket, const Answer& answer, bool close, int stream);
    Answer nextAnswer(const Answer& normal);
    void log(const Request& request, int serial);

    Options options_;
    QTcpServer* server_;
    QHash<QTcpSocket*, Connection> connections_;
    QByteArray controlBytes_;
    int scriptPosition_ = 0;
    std::atomic<int> serial_ = 0;
    std::atomic<int> current_ = 0;
    std::atomic<int> peak_ = 0;
    mutable std::mutex recordedLock_;
    QList<Request> recorded_;
};

} // namespace FakeClaude

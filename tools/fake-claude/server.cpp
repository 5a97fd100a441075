#include "fakeclaude.h"
#include "http2.h"

#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace FakeClaude {

namespace {

constexpr qsizetype maxHeaderBytes = 64 * 1024;
constexpr qsizetype maxBodyBytes = 64 * 1024 * 1024;

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 413:
        return "Payload Too Large";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    case 529:
        return "Overloaded";
    default:
        return "Status";
    }
}

// Parses one complete request from the front of buffer and removes it; nothing
// while more bytes are needed. A malformed or oversized head sets bad.
std::optional<Request> takeRequest(QByteArray& buffer, bool& bad) {
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        bad = buffer.size() > maxHeaderBytes;
        return std::nullopt;
    }
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    if (requestLine.size() != 3) {
        bad = true;
        return std::nullopt;
    }
    Request request{requestLine.at(0), requestLine.at(1), {}, {}};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                   lines.at(i).mid(colon + 1).trimmed());
    }
    bool ok = true;
    const qlonglong length = request.headers.value("content-length", "0").toLongLong(&ok);
    if (!ok || length < 0 || length > maxBodyBytes) {
        bad = true;
        return std::nullopt;
    }
    if (buffer.size() < headEnd + 4 + length) return std::nullopt;
    request.body = buffer.mid(headEnd + 4, length);
    buffer.remove(0, headEnd + 4 + length);
    return request;
}

// Qt's HTTP client writes a request's head and body separately, so a delayed
// ACK here would stall every request by the kernel's delayed-ACK time.
void acknowledgeNow(QTcpSocket* socket) {
#ifdef Q_OS_LINUX
    const int on = 1;
    setsockopt(int(socket->socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#else
    Q_UNUSED(socket);
#endif
}

} // namespace

Server::Server(Options options, QObject* parent)
    : QObject(parent), options_(std::move(options)), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &Server::accept);
}

Server::~Server() = default;

bool Server::listen(quint16 port) {
    return server_->listen(QHostAddress::LocalHost, port);
}

quint16 Server::port() const {
    return server_->serverPort();
}

QUrl Server::url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port()));
}

QList<Request> Server::requests() const {
    const std::lock_guard guard(recordedLock_);
    return recorded_;
}

int Server::waiting() const {
    int n = 0;
    for (const Connection& connection : connections_)
        n += int(connection.busy) + connection.streams;
    return n;
}

void Server::setScript(const QJsonArray& script, int delayMs) {
    options_.script = script;
    options_.delayMs = delayMs;
    scriptPosition_ = 0;
}

void Server::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        // Without this, Nagle and delayed ACKs add tens of milliseconds per answer.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connections_.insert(socket, {});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            connections_.remove(socket);
            socket->deleteLater();
        });
    }
}

void Server::readFrom(QTcpSocket* socket) {
    auto it = connections_.find(socket);
    if (it == connections_.end()) return;
    it->buffer += socket->readAll();
    acknowledgeNow(socket);
    if (!it->http2 && it->buffer.startsWith(Http2::preface))
        it->http2 = std::make_shared<Http2>(socket);
    if (it->http2) {
        const std::shared_ptr<Http2> http2 = it->http2;
        const auto requests = http2->feed(std::exchange(it->buffer, {}));
        it->streams += int(requests.size());
        if (http2->broken()) {
            connections_.remove(socket);
            socket->abort();
            return;
        }
        const QPointer<QTcpSocket> alive(socket);
        for (const auto& [stream, request] : requests)
            if (alive) serve(socket, request, stream);
        return;
    }
    if (it->busy) return;
    bool bad = false;
    std::optional<Request> request = takeRequest(it->buffer, bad);
    if (bad) {
        connections_.remove(socket);
        socket->disconnectFromHost();
        return;
    }
    if (request) {
        it->busy = true;
        serve(socket, std::move(*request));
    }
}

void Server::serve(QTcpSocket* socket, Request request, int stream) {
    const int serial = ++serial_;
    const int now = ++current_;
    int peak = peak_;
    while (now > peak && !peak_.compare_exchange_weak(peak, now)) {
    }
    {
        const std::lock_guard guard(recordedLock_);
        recorded_.append(request);
    }
    log(request, serial);

    Answer normal = answer(request, serial, options_);
    // Malformed requests always get their 400; the script is for good ones.
    const Answer chosen = normal.status == 200 ? nextAnswer(normal) : normal;
    const bool close = request.headers.value("connection").toLower() == "close";
    const QPointer<QTcpSocket> target(socket);
    if (chosen.delayMs > 0)
        QTimer::singleShot(chosen.delayMs, this, [this, target, chosen, close, stream] {
            reply(target, chosen, close, stream);
        });
    else
        reply(target, chosen, close, stream);
}

void Server::reply(const QPointer<QTcpSocket>& socket, const Answer& answer, bool close,
                   int stream) {
    --current_;
    if (!socket) return;
    if (answer.drop) {
        connections_.remove(socket);
        socket->abort();
        return;
    }
    if (stream) {
        auto it = connections_.find(socket.data());
        if (it == connections_.end()) return;
        --it->streams;
        it->http2->answer(stream, answer);
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' +
                      reason(answer.status) + "\r\nContent-Type: application/json\r\n" +
                      "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n" +
                      (close ? "Connection: close\r\n" : "Connection: keep-alive\r\n") + "\r\n";
    socket->write(head + answer.body);
    if (close) {
        connections_.remove(socket);
        socket->disconnectFromHost();
        return;
    }
    auto it = connections_.find(socket.data());
    if (it == connections_.end()) return;
    it->busy = false;
    if (!it->buffer.isEmpty())
        QTimer::singleShot(0, this, [this, socket] {
            if (socket) readFrom(socket);
        });
}

Answer Server::nextAnswer(const Answer& normal) {
    if (!options_.controlFile.isEmpty()) {
        QFile file(options_.controlFile);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.read(1024 * 1024);
            if (bytes != controlBytes_) {
                controlBytes_ = bytes;
                const QJsonObject control = QJsonDocument::fromJson(bytes).object();
                options_.script = control.value(QLatin1String("script")).toArray();
                options_.delayMs = control.value(QLatin1String("delayMs")).toInt();
                scriptPosition_ = 0;
            }
        }
    }
    Answer base = normal;
    base.delayMs = options_.delayMs + (options_.local ? localDelayMs : 0);
    if (scriptPosition_ >= options_.script.size()) return base;
    return scripted(options_.script.at(scriptPosition_++), base);
}

void Server::log(const Request& request, int serial) {
    if (options_.logFile.isEmpty()) return;
    QJsonObject headers;
    for (auto it = request.headers.begin(); it != request.headers.end(); ++it)
        headers.insert(QString::fromLatin1(it.key()), QString::fromUtf8(it.value()));
    QJsonParseError error;
    const QJsonDocument body = QJsonDocument::fromJson(request.body, &error);
    const QJsonObject line{
        {QStringLiteral("n"), serial},
        {QStringLiteral("method"), QString::fromLatin1(request.method)},
        {QStringLiteral("path"), QString::fromUtf8(request.path)},
        {QStringLiteral("headers"), headers},
        {QStringLiteral("body"), error.error == QJsonParseError::NoError
                                     ? body.object()
                                     : QJsonValue(QString::fromUtf8(request.body))},
        {QStringLiteral("concurrent"), int(current_)},
        {QStringLiteral("peak"), int(peak_)}};
    QFile file(options_.logFile);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace FakeClaude

#pragma once

#include "fakeclaude.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <utility>

struct nghttp2_session;

namespace FakeClaude {

// The server side of one cleartext HTTP/2 connection (prior knowledge), as
// Qt's client speaks it when told to: requests in, answers out, by stream.
class Http2 {
public:
    explicit Http2(QTcpSocket* socket);
    ~Http2();
    Http2(const Http2&) = delete;
    Http2& operator=(const Http2&) = delete;

    // The requests the bytes complete, with their stream ids; nothing more
    // once the peer broke the protocol.
    QList<std::pair<int, Request>> feed(const QByteArray& bytes);
    void answer(int stream, const Answer& answer);
    bool broken() const { return broken_; }

    // What a connection starts with when the client speaks HTTP/2 at once.
    static inline const QByteArray preface = "PRI * HTTP/2.0\r\n\r\nSM\r\n\r\n";

private:
    friend struct Http2Callbacks;
    void flush();

    QTcpSocket* socket_;
    nghttp2_session* session_ = nullptr;
    bool broken_ = false;
    QHash<int, Request> open_;
    QList<std::pair<int, Request>> complete_;
    QHash<int, std::pair<QByteArray, qsizetype>> outgoing_; // body and bytes sent
};

} // namespace FakeClaude

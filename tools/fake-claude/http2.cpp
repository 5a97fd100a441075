#include "http2.h"

#include <QTcpSocket>

#include <nghttp2/nghttp2.h>

#include <algorithm>
#include <cstring>

namespace FakeClaude {

struct Http2Callbacks {
    static Http2& self(void* data) { return *static_cast<Http2*>(data); }

    static int beginHeaders(nghttp2_session*, const nghttp2_frame* frame, void* data) {
        if (frame->hd.type == NGHTTP2_HEADERS && frame->headers.cat == NGHTTP2_HCAT_REQUEST)
            self(data).open_.insert(frame->hd.stream_id, {});
        return 0;
    }

    static int header(nghttp2_session*, const nghttp2_frame* frame, const uint8_t* name,
                      size_t nameLength, const uint8_t* value, size_t valueLength, uint8_t,
                      void* data) {
        auto it = self(data).open_.find(frame->hd.stream_id);
        if (it == self(data).open_.end()) return 0;
        const QByteArray key(reinterpret_cast<const char*>(name), qsizetype(nameLength));
        const QByteArray text(reinterpret_cast<const char*>(value), qsizetype(valueLength));
        if (key == ":method")
            it->method = text;
        else if (key == ":path")
            it->path = text;
        else if (!key.startsWith(':'))
            it->headers.insert(key.toLower(), text);
        return 0;
    }

    static int dataChunk(nghttp2_session*, uint8_t, int32_t stream, const uint8_t* bytes,
                         size_t length, void* data) {
        auto it = self(data).open_.find(stream);
        if (it != self(data).open_.end())
            it->body.append(reinterpret_cast<const char*>(bytes), qsizetype(length));
        return 0;
    }

    static int frameReceived(nghttp2_session*, const nghttp2_frame* frame, void* data) {
        const bool ends = frame->hd.flags & NGHTTP2_FLAG_END_STREAM;
        const bool request = frame->hd.type == NGHTTP2_HEADERS || frame->hd.type == NGHTTP2_DATA;
        if (ends && request && self(data).open_.contains(frame->hd.stream_id))
            self(data).complete_.append(
                {frame->hd.stream_id, self(data).open_.take(frame->hd.stream_id)});
        return 0;
    }

    static int streamClosed(nghttp2_session*, int32_t stream, uint32_t, void* data) {
        self(data).open_.remove(stream);
        self(data).outgoing_.remove(stream);
        return 0;
    }

    static ssize_t readBody(nghttp2_session*, int32_t stream, uint8_t* buffer, size_t length,
                            uint32_t* flags, nghttp2_data_source*, void* data) {
        auto it = self(data).outgoing_.find(stream);
        if (it == self(data).outgoing_.end()) {
            *flags |= NGHTTP2_DATA_FLAG_EOF;
            return 0;
        }
        auto& [body, sent] = *it;
        const size_t n = std::min(length, size_t(body.size() - sent));
        std::memcpy(buffer, body.constData() + sent, n);
        sent += qsizetype(n);
        if (sent == body.size()) *flags |= NGHTTP2_DATA_FLAG_EOF;
        return ssize_t(n);
    }
};

Http2::Http2(QTcpSocket* socket) : socket_(socket) {
    nghttp2_session_callbacks* callbacks = nullptr;
    nghttp2_session_callbacks_new(&callbacks);
    nghttp2_session_callbacks_set_on_begin_headers_callback(callbacks,
                                                            &Http2Callbacks::beginHeaders);
    nghttp2_session_callbacks_set_on_header_callback(callbacks, &Http2Callbacks::header);
    nghttp2_session_callbacks_set_on_data_chunk_recv_callback(callbacks,
                                                              &Http2Callbacks::dataChunk);
    nghttp2_session_callbacks_set_on_frame_recv_callback(callbacks, &Http2Callbacks::frameReceived);
    nghttp2_session_callbacks_set_on_stream_close_callback(callbacks,
                                                           &Http2Callbacks::streamClosed);
    nghttp2_session_server_new(&session_, callbacks, this);
    nghttp2_session_callbacks_del(callbacks);
    nghttp2_submit_settings(session_, NGHTTP2_FLAG_NONE, nullptr, 0);
    flush();
}

Http2::~Http2() {
    nghttp2_session_del(session_);
}

QList<std::pair<int, Request>> Http2::feed(const QByteArray& bytes) {
    if (broken_) return {};
    const ssize_t used = nghttp2_session_mem_recv(
        session_, reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    broken_ = used < 0;
    flush();
    return std::exchange(complete_, {});
}

void Http2::answer(int stream, const Answer& answer) {
    const QByteArray status = QByteArray::number(answer.status);
    const QByteArray length = QByteArray::number(answer.body.size());
    auto pair = [](const char* name, const QByteArray& value) {
        return nghttp2_nv{reinterpret_cast<uint8_t*>(const_cast<char*>(name)),
                          reinterpret_cast<uint8_t*>(const_cast<char*>(value.constData())),
                          std::strlen(name), size_t(value.size()), NGHTTP2_NV_FLAG_NONE};
    };
    static const QByteArray json = "application/json";
    const nghttp2_nv headers[] = {pair(":status", status), pair("content-type", json),
                                  pair("content-length", length)};
    outgoing_.insert(stream, {answer.body, 0});
    nghttp2_data_provider body{};
    body.read_callback = &Http2Callbacks::readBody;
    nghttp2_submit_response(session_, stream, headers, std::size(headers), &body);
    flush();
}

void Http2::flush() {
    const uint8_t* bytes = nullptr;
    while (const ssize_t n = nghttp2_session_mem_send(session_, &bytes)) {
        if (n < 0) {
            broken_ = true;
            return;
        }
        socket_->write(reinterpret_cast<const char*>(bytes), qint64(n));
    }
}

} // namespace FakeClaude

#pragma once

#include "model.h"

#include <QFuture>
#include <QStringList>
#include <QUrl>

// What a model server on the user's own computer offers.
namespace LocalServer {

// Its models' names: from its own listing (GET /api/tags), else from the one
// many servers share (GET /v1/models); or one line saying why there are none.
// Call on a thread with an event loop; the future finishes there.
QFuture<Outcome<QStringList>> models(const QUrl& address);

// Why nothing came back from the server at that address.
QString unreachable(const QUrl& address);

} // namespace LocalServer

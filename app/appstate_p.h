#pragma once

// What the parts of AppState's implementation share; not for other users.

#include "appstate.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFuture>
#include <QPointer>
#include <QUrl>

namespace AppStateDetail {

inline QString fileName(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

// Hands f to the main thread; it runs only if the state still exists there.
template <typename F> void onMain(const QPointer<AppState>& guard, F f) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [guard, f = std::move(f)]() mutable {
            if (guard) f(guard.data());
        },
        Qt::QueuedConnection);
}

// Hands the future's value to f on the main thread if the state still exists
// then. A context object in then() must outlive the task, which the state
// need not.
template <typename T, typename F> void whenDone(QFuture<T> future, AppState* state, F f) {
    future.then(QtFuture::Launch::Sync,
                [guard = QPointer<AppState>(state), f = std::move(f)](const T& value) {
                    onMain(guard, [f, value](AppState* s) mutable { f(s, value); });
                });
}

} // namespace AppStateDetail

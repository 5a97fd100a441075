#pragma once

#include "records.h"

#include <QByteArray>
#include <QFuture>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

// What classification needs of a language model: one request, one reply text.
// The Claude client is wired in by the application; tests may stand in for it.
namespace Model {

struct Failure {
    bool fatal = false;
    QString description; // user-facing text
    // False when no answer came from Claude at all (network, timeout), which
    // the connection check words differently.
    bool answered = true;
    // Claude answered the request with an error status.
    bool refused = false;
};

} // namespace Model

// A value, or the model failure that came instead.
template <typename T> using Outcome = std::variant<T, Model::Failure>;

namespace Model {

using Answer = Outcome<QString>;

// May be called from any thread; the future may finish on any thread.
// Cancelling the future stops the request; the future still finishes.
using Send =
    std::function<QFuture<Answer>(const QString& apiKey, const QString& model,
                                  const QString& system, const QJsonArray& content, int maxTokens)>;

inline const QString escalationModel = QStringLiteral("claude-opus-5-5");

// Which model answers what: Claude's, or those the user chose on their own server.
inline QString forFiles(const Profile& profile) {
    return profile.local ? profile.local->filesModel : profile.model;
}
inline QString forPictures(const Profile& profile) {
    return profile.local ? profile.local->picturesModel : profile.model;
}
// Asked again about uncertain answers; none skips the second look.
inline std::optional<QString> forSecondLook(const Profile& profile) {
    if (profile.local) return profile.local->secondLookModel;
    return escalationModel;
}
// Finding projects reads pictures too.
inline QString forDiscovery(const Profile& profile) {
    return profile.local ? profile.local->picturesModel : escalationModel;
}

inline QJsonObject textBlock(const QString& text) {
    return {{QStringLiteral("type"), QStringLiteral("text")}, {QStringLiteral("text"), text}};
}

inline QJsonObject imageBlock(const QByteArray& jpeg) {
    return {{QStringLiteral("type"), QStringLiteral("image")},
            {QStringLiteral("source"),
             QJsonObject{{QStringLiteral("type"), QStringLiteral("base64")},
                         {QStringLiteral("media_type"), QStringLiteral("image/jpeg")},
                         {QStringLiteral("data"), QString::fromLatin1(jpeg.toBase64())}}}};
}

} // namespace Model

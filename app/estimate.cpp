#include "estimate.h"

#include "contactsheet.h"
#include "prompt.h"
#include "usage.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace {

// Text tokens run at about four bytes of the request body each.
constexpr double bytesPerToken = 4;
// The request around the system prompt and the user turn: model, limit, roles.
constexpr qint64 envelopeBytes = 130;
// An image block without its data, which is billed as a picture.
constexpr qint64 imageBlockBytes = 80;
// One decision object of the reply.
constexpr double replyTokensPerFile = 40;

// Bytes of the text once escaped into the JSON body.
qint64 bodyBytes(const QString& text) {
    return QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).size() - 4;
}

struct Tokens {
    double input = 0;
    double output = 0;
};

// The tokens of asking about `items` in batches of `batch`, each batch of n
// costing `perBatch(n)` on top of its lines.
template <typename PerBatch, typename Lines>
Tokens batches(const QList<ScannedItem>& items, int batch, PerBatch perBatch, Lines lines) {
    Tokens tokens;
    for (qsizetype at = 0; at < items.size(); at += batch) {
        const QList<ScannedItem> part = items.mid(at, batch);
        tokens.input += perBatch(part.size()) + bodyBytes(lines(part)) / bytesPerToken;
        tokens.output += replyTokensPerFile * double(part.size());
    }
    return tokens;
}

double dollars(const Tokens& tokens, const QString& model) {
    const Price price = Usage::price(model);
    return (tokens.input * price.input + tokens.output * price.output) / 1'000'000;
}

// A `share` of the items, evenly spread: a stand-in for the ones asked again.
QList<ScannedItem> spread(const QList<ScannedItem>& items, double share) {
    QList<ScannedItem> picked;
    double owed = 0;
    for (const ScannedItem& item : items) {
        owed += share;
        if (owed < 1) continue;
        owed -= 1;
        picked.append(item);
    }
    return picked;
}

} // namespace

namespace Estimate {

double classification(const Classifier& classifier, const Sorted& sorted, Tidy::Mode mode,
                      double shareAgain) {
    const qint64 system = bodyBytes(Prompt::system(classifier.profile));
    const double fixed = double(envelopeBytes + system) / bytesPerToken;
    auto plain = [fixed](qsizetype) { return fixed; };
    auto sheet = [fixed](qsizetype tiles) {
        return fixed + double(imageBlockBytes) / bytesPerToken +
               double(Usage::imageTokens(ContactSheet::size(tiles)));
    };

    auto cost = [&](const QList<ScannedItem>& text, const QList<ScannedItem>& visual, int textBatch,
                    int visualBatch, const QString& model) {
        const Tokens lines = batches(text, textBatch, plain, Batches::textLines);
        const Tokens sheets = batches(visual, visualBatch, sheet, Batches::sheetCaption);
        return dollars({lines.input + sheets.input, lines.output + sheets.output}, model);
    };

    double usd = cost(sorted.text, sorted.visual, Batches::text, Batches::visual,
                      classifier.model(Job::Kind::text));
    const qsizetype files = sorted.text.size() + sorted.visual.size();
    if (!classifier.escalates(mode) || files == 0) return usd;
    const double share = std::min(shareAgain, double(Batches::mostAgain) / double(files));
    usd += cost(spread(sorted.text, share), spread(sorted.visual, share), Batches::textAgain,
                Batches::visualAgain, Model::escalationModel);
    return usd;
}

} // namespace Estimate

// Feeds arbitrary model replies to the reply parser. Beyond not crashing, every
// decision it keeps must already be in the shape the planner relies on: a
// trimmed category and one of the three confidence words.

#include "prompt.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

bool blank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString reply =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QHash<qint64, Decision> decisions = Prompt::parse(reply);
    if (!decisions.isEmpty() && !reply.contains(QLatin1Char('['))) std::abort();
    for (const Decision& decision : decisions) {
        const QString& category = decision.category;
        if (!category.isEmpty() && (blank(category.front()) || blank(category.back())))
            std::abort();
        const QString& confidence = decision.confidence;
        if (confidence != u"high" && confidence != u"medium" && confidence != u"low") std::abort();
    }
    // Prose around the array must not change the answer.
    if (Prompt::parse(QStringLiteral("Sure:\n") + reply + QStringLiteral("\nDone.")) != decisions)
        std::abort();
    return 0;
}

#include "cli.h"

#include "format.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace Cli {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

void printJson(const QJsonValue& value) {
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    out() << document.toJson(QJsonDocument::Indented) << Qt::flush;
}

QString files(qint64 n) {
    return Format::count(n) + (n == 1 ? QStringLiteral(" file") : QStringLiteral(" files"));
}

Exit busy() {
    err() << "Tovrin is busy with a refresh, an apply or an undo. Try again when it is done.\n";
    return refused;
}

} // namespace Cli

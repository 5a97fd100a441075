#include "fakeclaude.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// Parses "529,529,200,drop" into script entries: numbers stay numbers.
static QJsonArray parseScript(const QString& text) {
    QJsonArray script;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool isNumber = false;
        const int status = part.trimmed().toInt(&isNumber);
        script.append(isNumber ? QJsonValue(status) : QJsonValue(part.trimmed()));
    }
    return script;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A local stand-in for the Claude Messages API on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Port to listen on (default: any free one)."),
                                  QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption control(QStringLiteral("control"),
                                     QStringLiteral("JSON control file, re-read per request."),
                                     QStringLiteral("file"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Append one JSON line per request to this file."),
                                 QStringLiteral("file"));
    const QCommandLineOption script(
        QStringLiteral("script"),
        QStringLiteral("Answers for the first requests, e.g. 529,529,200,drop,credit,model."),
        QStringLiteral("list"));
    const QCommandLineOption delay(QStringLiteral("delay-ms"),
                                   QStringLiteral("Delay before every answer."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption local(
        QStringLiteral("local"),
        QStringLiteral("Act as a model server on this computer: no key, models listed, slower."));
    const QCommandLineOption models(QStringLiteral("models"),
                                    QStringLiteral("The models a local server lists, e.g. a,b,c."),
                                    QStringLiteral("list"));
    parser.addOptions({port, control, log, script, delay, local, models});
    parser.process(app);

    FakeClaude::Options options;
    options.script = parseScript(parser.value(script));
    options.delayMs = parser.value(delay).toInt();
    options.controlFile = parser.value(control);
    options.logFile = parser.value(log);
    options.local = parser.isSet(local);
    if (parser.isSet(models))
        options.models = parser.value(models).split(QLatin1Char(','), Qt::SkipEmptyParts);

    FakeClaude::Server server(options);
    bool portOk = false;
    const uint requested = parser.value(port).toUInt(&portOk);
    if (!portOk || requested > 65535 || !server.listen(quint16(requested))) {
        std::fprintf(stderr, "tovrin-fake-claude: cannot listen on 127.0.0.1:%s\n",
                     qPrintable(parser.value(port)));
        return 1;
    }
    std::printf("listening 127.0.0.1:%u\n", unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}

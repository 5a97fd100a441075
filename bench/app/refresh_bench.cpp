// A whole refresh of the given home (its Desktop and Downloads) through the
// application state, the real Claude client and contact sheets, against the
// fake Messages server answering after 200 ms; next to the ideal wall time of
// the requests it made at six in flight.
#include "appstate.h"
#include "claudesender.h"
#include "contactsheet.h"
#include "resources.h"
#include "store.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // contact sheets draw text
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: refresh_bench HOME\n");
        return 2;
    }
    const QString home = app.arguments().at(1);
    qputenv("HOME", home.toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    const int delayMs = 200;
    const QString requestLog = home + QStringLiteral("/.requests.log");
    QProcess server;
    server.start(QCoreApplication::applicationDirPath() +
                     "/../../tools/fake-claude/tovrin-fake-claude",
                 {"--delay-ms", QString::number(delayMs), "--log", requestLog});
    if (!server.waitForReadyRead(10'000)) return 1;
    const QByteArray line = server.readLine().trimmed(); // "listening 127.0.0.1:PORT"
    qputenv("ANTHROPIC_BASE_URL", "http://" + line.mid(line.indexOf(' ') + 1));

    Profile profile;
    profile.onboarded = true;
    profile.homeBase = home + QStringLiteral("/Documents");
    Store::saveProfile(profile);
    Store::saveKey(QStringLiteral("sk-bench"));

    AppServices services;
    services.send = ClaudeSender::make();
    services.sheet = ContactSheet::make;
    services.settingsPath = home + QStringLiteral("/.config/Tovrin/Tovrin.conf");
    AppState state(services);

    QElapsedTimer timer;
    timer.start();
    QObject::connect(&state, &AppState::phaseChanged, &app, [&] {
        if (!state.isBusy()) app.quit();
    });
    QTimer::singleShot(0, &state, [&] { state.start(Tidy::Mode::quick); });
    app.exec();
    const double wall = timer.nsecsElapsed() / 1e9;

    server.kill();
    server.waitForFinished();
    QFile log(requestLog);
    int requests = 0;
    if (log.open(QIODevice::ReadOnly))
        while (!log.readLine().isEmpty())
            ++requests;
    // The reachability check goes first on its own; the rest could all run
    // six at a time.
    const double ideal = (1 + (requests - 1 + 5) / 6) * delayMs / 1000.0;
    std::printf("phase %s\nplanned %lld\nrequests %d\nwall_seconds %.2f\nideal_seconds "
                "%.2f\nratio %.3f\npeak_rss_kb %ld\n",
                state.phase() == Phase::review ? "review" : "other",
                static_cast<long long>(state.plan().size()), requests, wall, ideal, wall / ideal,
                Resources::peakRssKb());
    if (state.message()) std::printf("message %s\n", qPrintable(*state.message()));
    return state.phase() == Phase::review ? 0 : 1;
}

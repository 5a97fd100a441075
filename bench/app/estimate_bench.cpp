// The cost estimate a refresh shows before it asks anything, against what the
// refresh then cost by the fake Messages server's token counts, for a range
// of trees. The trees run one after another in one home, so from the second
// on the estimate knows the share of files asked again from the runs before.
#include "appstate.h"
#include "claudesender.h"
#include "contactsheet.h"
#include "fakeclaude.h"
#include "store.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Tree {
    const char* name;
    int notes;
    int papers; // invoices, receipts and contracts by name
    int photos;
    int screenshots;
};

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

void picture(const QString& path, int i) {
    QDir().mkpath(QFileInfo(path).path());
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(i * 37 % 360, 160, 200));
    QPainter(&image).drawText(40, 240, QStringLiteral("Picture %1").arg(i));
    image.save(path, "JPEG", 80);
}

void fill(const QString& home, const Tree& tree) {
    for (const QString& folder : {QStringLiteral("Desktop"), QStringLiteral("Downloads")})
        QDir(home + '/' + folder).removeRecursively();
    static const QStringList papers{"invoice", "receipt", "contract", "bank statement"};
    for (int i = 0; i < tree.notes; ++i)
        write(home + QStringLiteral("/Downloads/notes %1.txt").arg(i),
              "Meeting notes, week " + QByteArray::number(i) + ": plan the garden beds.");
    for (int i = 0; i < tree.papers; ++i)
        write(home + QStringLiteral("/Desktop/%1 %2.txt").arg(papers.at(i % 4)).arg(i),
              "Amount due 120.00, reference " + QByteArray::number(i));
    for (int i = 0; i < tree.photos; ++i)
        picture(home + QStringLiteral("/Downloads/IMG_%1.jpg").arg(4000 + i), i);
    for (int i = 0; i < tree.screenshots; ++i)
        picture(home + QStringLiteral("/Desktop/Screenshot %1.png").arg(i), i);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // contact sheets draw text
    QTemporaryDir dir;
    const QString home = dir.path();
    qputenv("HOME", home.toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    FakeClaude::Server server(FakeClaude::Options{});
    if (!server.listen()) return 1;
    qputenv("ANTHROPIC_BASE_URL", server.url().toString().toUtf8());
    Store::saveKey(QStringLiteral("sk-bench"));

    const Tree trees[] = {{"40 notes", 40, 0, 0, 0},
                          {"300 notes, 100 papers", 300, 100, 0, 0},
                          {"60 photos", 0, 0, 60, 0},
                          {"200 notes, 80 photos, 20 screenshots", 200, 0, 80, 20},
                          {"1,500 mixed", 900, 300, 250, 50},
                          {"4,000 mixed", 2600, 800, 500, 100}};
    const QStringList models{QStringLiteral("claude-haiku-5-5"),
                             QStringLiteral("claude-sonnet-5-5")};
    std::printf("| tree | model | files | estimate | actual | estimate / actual |\n"
                "|---|---|---|---|---|---|\n");
    for (const QString& model : models)
        for (const Tree& tree : trees) {
            fill(home, tree);
            Profile profile;
            profile.onboarded = true;
            profile.homeBase = home + QStringLiteral("/Documents");
            profile.model = model;
            Store::saveProfile(profile);

            AppServices services;
            services.send = ClaudeSender::make();
            services.sheet = ContactSheet::make;
            services.settingsPath = home + QStringLiteral("/.config/Tovrin/Tovrin.conf");
            AppState state(services);
            QObject::connect(&state, &AppState::phaseChanged, &app, [&] {
                if (!state.isBusy()) app.quit();
            });
            state.start(Tidy::Mode::quick);
            app.exec();
            const double estimate = state.estimate().value_or(0);
            const double actual = state.lastRunCost().value_or(0);
            const double ratio = actual > 0 ? estimate / actual : 0;
            std::printf("| %s | %s | %d | $%.4f | $%.4f | %.2f |\n", tree.name, qPrintable(model),
                        state.total(), estimate, actual, ratio);
        }
    return 0;
}

// The review window over a plan of the per-run cap's size: how long it takes
// to open (create and draw the first frame) and what one frame costs the
// main thread while a tab scrolls. Offscreen, software scene graph.
#include "appstate.h"
#include "qmltypes.h"
#include "store.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ReviewPlugin)

namespace {

constexpr int planSize = 25'000;
constexpr int photos = 600;
constexpr int frames = 240;

double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Share {
    const char* dest;
    const char* category;
    int count;
};

// Destinations in the proportions of a cluttered Downloads folder.
constexpr Share shares[] = {
    {"Projects/Pellmark/Images", "project:Pellmark", 4'000},
    {"Projects/Pellmark/Docs", "project:Pellmark", 2'000},
    {"Projects/Kite/Docs", "project:Kite", 1'500},
    {"Personal/Finance & Receipts", "personal", 3'000},
    {"Personal/Photos", "personal", 2'000},
    {"Library/Fonts", "library", 500},
    {"Creator/Drone shots", "creator", 800},
    {"Work Admin", "admin", 1'200},
    {"Archive/2021", "archive", 2'000},
    {"Tovrin Review/To Delete - Review First/Screenshots & images", "junk", 3'500},
    {"Tovrin Review/To Delete - Review First/Installers", "junk", 600},
    {"Tovrin Review/Duplicates - Review First", "duplicate", 1'400},
    {"Tovrin Review/Needs You", "needs-you", 2'500},
};

QList<PlanItem> makePlan(const QString& home) {
    const QString downloads = home + QStringLiteral("/Downloads");
    QDir().mkpath(downloads);
    QList<PlanItem> plan;
    for (const Share& share : shares)
        for (int i = 0; i < share.count; ++i) {
            const int n = int(plan.size());
            const bool photo = n < photos;
            const QString path =
                downloads +
                (photo ? QStringLiteral("/IMG_%1.jpg") : QStringLiteral("/file %1.pdf")).arg(n);
            if (photo) {
                QImage image(480, 360, QImage::Format_RGB32);
                image.fill(QColor::fromHsv((n * 29) % 360, 110, 210));
                QPainter(&image).fillRect(0, 240, 480, 120,
                                          QColor::fromHsv((n * 29 + 160) % 360, 90, 90));
                image.save(path, "JPG", 80);
            } else {
                QFile(path).open(QIODevice::WriteOnly);
            }
            PlanItem item;
            item.id = n;
            item.src = QUrl::fromLocalFile(path);
            item.destFolder = QString::fromUtf8(share.dest);
            item.category = QString::fromUtf8(share.category);
            item.confidence = QStringLiteral("high");
            item.reason = QStringLiteral("A file the model looked at and recognised");
            item.kind = photo ? FileKind::image : FileKind::pdf;
            item.size = 100'000 + n;
            item.approved = item.category != QLatin1String("needs-you");
            item.renameApproved = true;
            if (n % 5 == 0 && item.category != QLatin1String("junk") &&
                item.category != QLatin1String("duplicate") &&
                item.category != QLatin1String("needs-you"))
                item.newName = QStringLiteral("A clear name %1.pdf").arg(n);
            plan.append(item);
        }
    return plan;
}

QQuickItem* byName(QQuickItem* root, const QString& name) {
    if (root->objectName() == name && root->isVisible()) return root;
    for (QQuickItem* child : root->childItems())
        if (QQuickItem* found = byName(child, name)) return found;
    return nullptr;
}

QObject* panelOf(QQuickItem* root) {
    for (QObject* child : root->children())
        if (child->inherits("ReviewController")) return child;
    return nullptr;
}

struct Figures {
    double median = 0, p95 = 0, max = 0;
};

Figures figures(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[int(ms.size() * 0.95)], ms.last()};
}

// One frame: events (thumbnails arriving, delegates made), then a full
// render of the window.
double frame(QQuickView& view) {
    const double start = threadMs();
    QCoreApplication::processEvents();
    const QImage shot = view.grabWindow();
    Q_UNUSED(shot);
    return threadMs() - start;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    std::printf("Review window, %d-item plan (%d photos), offscreen software rendering\n", planSize,
                photos);
    Store::savePlan(makePlan(home.path()));
    AppServices services;
    services.send = [](const QString&, const QString&, const QString&, const QJsonArray&, int) {
        return QtFuture::makeReadyFuture(Model::Answer(QStringLiteral("OK")));
    };
    services.settingsPath = home.path() + QStringLiteral("/Tovrin.conf");
    AppState state(services);

    QElapsedTimer wall;
    wall.start();
    const double cpu = threadMs();
    QQuickView view;
    UiCore::setUp(*view.engine());
    view.setInitialProperties({{QStringLiteral("appState"), QVariant::fromValue(&state)}});
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.setSource(QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Review/ReviewView.qml")));
    if (view.status() != QQuickView::Ready) {
        for (const QQmlError& error : view.errors())
            std::fprintf(stderr, "%s\n", qPrintable(error.toString()));
        return 1;
    }
    view.resize(1240, 780);
    view.show();
    frame(view);
    std::printf("open: %.1f ms wall, %.1f ms main-thread CPU (create + first frame)\n",
                double(wall.nsecsElapsed()) / 1e6, threadMs() - cpu);

    QObject* panel = panelOf(view.rootObject());
    const struct {
        int tab;
        const char* list;
        const char* title;
    } tabs[] = {{0, "organizeGrid", "Organize grid"},
                {1, "renameList", "Rename list"},
                {2, "junkList", "Junk groups"},
                {3, "needsList", "Needs You list"}};
    std::printf("%-16s %8s %10s %10s %10s\n", "scrolling", "rows", "median ms", "p95 ms", "max ms");
    for (const auto& tab : tabs) {
        panel->setProperty("tab", tab.tab);
        frame(view);
        QQuickItem* list = byName(view.rootObject(), QString::fromLatin1(tab.list));
        if (!list) return 1;
        QList<double> ms;
        // 40 px a frame: a brisk flick at 60 frames a second, through new rows all the way.
        for (int i = 0; i < frames; ++i) {
            list->setProperty("contentY", list->property("contentY").toDouble() + 40);
            ms.append(frame(view));
        }
        const Figures f = figures(ms);
        std::printf("%-16s %8d %10.2f %10.2f %10.2f\n", tab.title, list->property("count").toInt(),
                    f.median, f.p95, f.max);
    }

    // One click with the window open: the edit, the models and bindings that
    // follow it, and the events it queues; the frame drawn after is not counted.
    QList<qint64> junkGroup;
    for (const PlanItem& item : state.plan())
        if (item.destFolder.endsWith(QLatin1String("Screenshots & images")))
            junkGroup.append(item.id);
    const struct {
        int tab;
        const char* title;
        std::function<void(int)> edit;
    } edits[] = {
        {0, "tick", [&](int) { state.toggle(planSize / 3); }},
        {1, "rename tick", [&](int) { state.toggleRename(planSize / 5 * 2); }},
        {2, "junk group", [&](int i) { state.setApproved(junkGroup, i % 2 == 1); }},
        {3, "send one to",
         [&](int i) { state.setDestination(planSize - 1 - i, QStringLiteral("Work Admin")); }},
    };
    std::printf("%-16s %10s %10s %10s\n", "edit", "median ms", "p95 ms", "max ms");
    for (const auto& edit : edits) {
        panel->setProperty("tab", edit.tab);
        frame(view);
        QList<double> ms;
        for (int i = 0; i < 40; ++i) {
            const double start = threadMs();
            edit.edit(i);
            QCoreApplication::processEvents();
            ms.append(threadMs() - start);
            frame(view);
        }
        const Figures f = figures(ms);
        std::printf("%-16s %10.2f %10.2f %10.2f\n", edit.title, f.median, f.p95, f.max);
    }
    return 0;
}

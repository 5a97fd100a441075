// CPU cost of the progress picture: per frame while it is on screen, and in
// total while it is hidden (which should be next to nothing).
//
//   zen_bench [seconds]     default 5; runs offscreen with the software renderer

#include "qmltypes.h"
#include "zencanvas.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ZenPlugin)

namespace {

double cpuMicros(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

struct Figures {
    std::vector<double> micros;
    void print(const char* what) const {
        if (micros.empty()) return;
        double sum = 0;
        for (double m : micros)
            sum += m;
        std::vector<double> sorted = micros;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-34s %6zu frames  mean %7.1f us  p99 %7.1f us  max %7.1f us\n", what,
                    micros.size(), sum / double(micros.size()),
                    sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)], sorted.back());
    }
};

// Lets the event loop run for a while, as it does between frames.
void idle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Process CPU spent while the loop idles for ms, with frames counted.
void hiddenCost(const char* what, QQuickView& view, int ms) {
    int frames = 0;
    const auto counter = QObject::connect(&view, &QQuickWindow::afterAnimating, [&] { ++frames; });
    const double before = cpuMicros(CLOCK_PROCESS_CPUTIME_ID);
    idle(ms);
    const double spent = cpuMicros(CLOCK_PROCESS_CPUTIME_ID) - before;
    QObject::disconnect(counter);
    std::printf("%-34s %6d frames  %7.1f us CPU per second\n", what, frames, spent / (ms / 1000.0));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    QQuickView view;
    UiCore::setUp(*view.engine());
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.resize(340, 240);
    view.setSource(QUrl(QStringLiteral("data:text/plain,") +
                        QStringLiteral("import QtQuick\nimport Tovrin.Zen\n"
                                       "ZenView { width: 340; fraction: 0.51 }")));
    if (!view.rootObject()) return 1;
    QQuickItem* zen = qobject_cast<QQuickItem*>(view.rootObject());
    auto* canvas = zen->findChild<ZenCanvas*>();
    view.show();
    idle(200);

    // A whole frame: the animation tick, the repaint and the render into an image.
    Figures frames;
    QElapsedTimer wall;
    wall.start();
    int pulse = 0;
    while (wall.elapsed() < seconds * 1000) {
        if (frames.micros.size() % 15 == 0) zen->setProperty("pulse", ++pulse); // a few ripples
        const double start = cpuMicros(CLOCK_THREAD_CPUTIME_ID);
        QCoreApplication::processEvents();
        canvas->tick(); // what the frame animation does on every display frame
        const QImage frame = view.grabWindow();
        frames.micros.push_back(cpuMicros(CLOCK_THREAD_CPUTIME_ID) - start);
        if (frame.isNull()) return 1;
    }
    frames.print("frame (tick + paint + render)");

    // Our drawing alone, into an image of the canvas's size.
    Figures paints;
    QImage target(canvas->size().toSize(), QImage::Format_ARGB32_Premultiplied);
    wall.restart();
    while (wall.elapsed() < seconds * 1000) {
        canvas->tick();
        const double start = cpuMicros(CLOCK_THREAD_CPUTIME_ID);
        target.fill(Qt::transparent);
        QPainter painter(&target);
        canvas->paint(&painter);
        painter.end();
        paints.micros.push_back(cpuMicros(CLOCK_THREAD_CPUTIME_ID) - start);
    }
    paints.print("paint of one frame");

    hiddenCost("shown, event loop running", view, 2000);
    zen->setVisible(false);
    idle(1500); // a caption fade that had begun may finish
    std::printf("view hidden: animating=%s\n", zen->property("animating").toBool() ? "yes" : "no");
    hiddenCost("view hidden", view, 2000);
    zen->setVisible(true);
    view.hide();
    std::printf("window hidden: animating=%s\n",
                zen->property("animating").toBool() ? "yes" : "no");
    hiddenCost("window hidden", view, 2000);
    return 0;
}

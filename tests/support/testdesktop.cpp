#include "testdesktop.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <csignal>

namespace {

constexpr int startMs = 10'000;

// Without service directories nothing is activated behind the test's back.
const char* busConfig =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig>\n"
    "  <type>session</type>\n"
    "  <listen>unix:tmpdir=/tmp</listen>\n"
    "  <policy context=\"default\">\n"
    "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
    "    <allow eavesdrop=\"true\"/>\n"
    "    <allow own=\"*\"/>\n"
    "  </policy>\n"
    "</busconfig>\n";

// The first line the child prints, or empty when it prints none.
QString firstLine(QProcess& child) {
    while (!child.canReadLine())
        if (!child.waitForReadyRead(startMs)) return {};
    return QString::fromUtf8(child.readLine()).trimmed();
}

} // namespace

TestDesktop::~TestDesktop() {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        QProcess& child = **it;
        if (child.state() == QProcess::NotRunning) continue;
        resume(&child);
        child.terminate();
        if (!child.waitForFinished(startMs)) {
            child.kill();
            child.waitForFinished(startMs);
        }
    }
}

QString TestDesktop::missing(const QStringList& programs) {
    for (const QString& program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty()) return program;
    return {};
}

bool TestDesktop::startDisplay() {
    // A random high number, not Xvfb's own pick from :0 up: on a shared
    // machine another job's server starting on a low number may replace its
    // socket under ours. The display counts as up once a client gets in; no
    // reset when the last client leaves, which refuses the next one a while.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString number = QString::number(1000 + QRandomGenerator::global()->bounded(50000));
        QProcess* server =
            start(QStringLiteral("Xvfb"),
                  {QLatin1Char(':') + number, QStringLiteral("-displayfd"), QStringLiteral("1"),
                   QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x800x24"),
                   QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!server || firstLine(*server) != number) continue;
        display_ = QLatin1Char(':') + number;
        QProcess probe;
        probe.setProcessEnvironment(environment());
        probe.start(QStringLiteral("xdpyinfo"), {});
        if (probe.waitForFinished(startMs) && probe.exitCode() == 0) return true;
        display_.clear();
        server->kill();
    }
    return false;
}

bool TestDesktop::startBus() {
    const QString config = dir_.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(busConfig) < 0) return false;
    file.close();
    busDaemon_ = start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
    busAddress_ = busDaemon_ ? firstLine(*busDaemon_) : QString();
    return !busAddress_.isEmpty();
}

QProcessEnvironment TestDesktop::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (display_.isEmpty())
        env.remove(QStringLiteral("DISPLAY"));
    else
        env.insert(QStringLiteral("DISPLAY"), display_);
    if (busAddress_.isEmpty())
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    else
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
    return env;
}

QProcess* TestDesktop::start(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& extra) {
    auto child = std::make_unique<QProcess>();
    QProcessEnvironment env = environment();
    env.insert(extra);
    child->setProcessEnvironment(env);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(program, arguments);
    if (!child->waitForStarted(startMs)) return nullptr;
    children_.push_back(std::move(child));
    return children_.back().get();
}

QString TestDesktop::run(const QString& program, const QStringList& arguments) const {
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(program, arguments);
    tool.waitForFinished(startMs);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

void TestDesktop::stop(const QProcess* child) {
    ::kill(pid_t(child->processId()), SIGSTOP);
}

void TestDesktop::resume(const QProcess* child) {
    ::kill(pid_t(child->processId()), SIGCONT);
}

#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A desktop of the test's own for real daemons: an X server on a display
// nobody else uses and a session bus that starts no service by itself. The
// children see only these, never the user's own; all of them end with it.
class TestDesktop {
public:
    ~TestDesktop();

    // The first of these programs that is not installed, or empty.
    static QString missing(const QStringList& programs);

    bool startDisplay();
    bool startBus();
    QString busAddress() const { return busAddress_; }
    QProcess* busDaemon() const { return busDaemon_; }

    // A child on this desktop; null when it does not start.
    QProcess* start(const QString& program, const QStringList& arguments = {},
                    const QProcessEnvironment& extra = {});
    // A tool run to its end on this desktop; its output.
    QString run(const QString& program, const QStringList& arguments) const;
    // SIGSTOP and SIGCONT, as a hung daemon and one that wakes.
    static void stop(const QProcess* child);
    static void resume(const QProcess* child);

private:
    QProcessEnvironment environment() const;

    QTemporaryDir dir_;
    QString display_;
    QString busAddress_;
    QProcess* busDaemon_ = nullptr;
    std::vector<std::unique_ptr<QProcess>> children_;
};

#include "autostart.h"
#include "testhome.h"

#include <QFile>
#include <QTest>

#include <memory>

// "Start at login": the autostart entry written, quoted and removed.
class TestAutostart : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

private slots:
    void init() { home = std::make_unique<TestHome>(); }
    void cleanup() { home.reset(); }

    void entryPathFollowsConfigHome_data() {
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unset") << ""
                               << ".config/autostart/tovrin.desktop";
        QTest::newRow("set") << "cfg"
                             << "cfg/autostart/tovrin.desktop";
    }

    void entryPathFollowsConfigHome() {
        QFETCH(QString, configHome);
        QFETCH(QString, expected);
        if (!configHome.isEmpty()) qputenv("XDG_CONFIG_HOME", home->path(configHome).toUtf8());
        QCOMPARE(Autostart::entryPath(), home->path(expected));
    }

    void execQuoting_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/tovrin"
                               << "\"/usr/bin/tovrin\"";
        QTest::newRow("space") << "/opt/My Apps/tovrin"
                               << "\"/opt/My Apps/tovrin\"";
        QTest::newRow("quote and dollar") << "/opt/a\"b$c/tovrin"
                                          << "\"/opt/a\\\\\"b\\\\$c/tovrin\"";
        QTest::newRow("backslash") << "/opt/a\\b/tovrin"
                                   << "\"/opt/a\\\\\\\\b/tovrin\"";
        QTest::newRow("percent") << "/opt/100%/tovrin"
                                 << "\"/opt/100%%/tovrin\"";
    }

    void execQuoting() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(Autostart::execArgument(program), exec);
    }

    void enableAndDisable_data() {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("on");
        QTest::newRow("on from nothing") << false << true;
        QTest::newRow("on again") << true << true;
        QTest::newRow("off") << true << false;
        QTest::newRow("off from nothing") << false << false;
    }

    void enableAndDisable() {
        QFETCH(bool, before);
        QFETCH(bool, on);
        const QString program = QStringLiteral("/opt/tovrin/bin/tovrin");
        if (before) QVERIFY(Autostart::enable(QStringLiteral("/old/tovrin")));
        QCOMPARE(Autostart::isEnabled(), before);

        QVERIFY(on ? Autostart::enable(program) : Autostart::disable());
        QCOMPARE(Autostart::isEnabled(), on);
        QCOMPARE(QFile::exists(home->path(QStringLiteral(".config/autostart/tovrin.desktop"))), on);
        if (!on) return;
        QFile file(Autostart::entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nType=Application\n"));
        QVERIFY(text.contains("\nExec=\"/opt/tovrin/bin/tovrin\"\n"));
        QCOMPARE(text, Autostart::entry(program));
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "test_autostart.moc"

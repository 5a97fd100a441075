#include "autostart.h"
#include "testfiles.h"
#include "testhome.h"

#include <QTest>

// "Start at login": the entry written where the desktop looks for it, its
// program quoted for any path, replaced and removed.
class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void execQuoting_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
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

    void enableReplaceDisable() {
        TestHome home;
        QVERIFY(Autostart::disable()); // nothing there is fine too
        QVERIFY(Autostart::enable(QStringLiteral("/old/tovrin")));
        QVERIFY(Autostart::enable(QStringLiteral("/opt/My Apps/tovrin")));
        const QByteArray text =
            TestFiles::read(home.path(QStringLiteral(".config/autostart/tovrin.desktop")));
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nExec=\"/opt/My Apps/tovrin\"\n"));
        QVERIFY(Autostart::disable());
        QVERIFY(!Autostart::isEnabled());
        qputenv("XDG_CONFIG_HOME", home.path(QStringLiteral("cfg")).toUtf8());
        QCOMPARE(Autostart::entryPath(), home.path(QStringLiteral("cfg/autostart/tovrin.desktop")));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "test_autostart.moc"

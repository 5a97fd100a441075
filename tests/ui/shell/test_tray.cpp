#include "testdesktop.h"
#include "testhome.h"

#include <QRect>
#include <QRegularExpression>
#include <QTest>

// The application as users start it, on an X display of the test's own:
// beside a tray host its icon sits in the tray and a click on it opens the
// menu panel below; with no tray host the panel shows as a plain window.
class TestTray : public QObject {
    Q_OBJECT

    static QStringList search(const TestDesktop& desktop, const QStringList& criteria) {
        return desktop
            .run(QStringLiteral("xdotool"), QStringList{QStringLiteral("search")} + criteria)
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // The application's windows on the screen, by X id.
    static QStringList shown(const TestDesktop& desktop) {
        return search(desktop, {QStringLiteral("--onlyvisible"), QStringLiteral("--classname"),
                                QStringLiteral("tovrin-app")});
    }
    static QRect geometry(const TestDesktop& desktop, const QString& window) {
        const QString info =
            desktop.run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
        const auto value = [&info](const QString& label) {
            return QRegularExpression(label + QStringLiteral(":\\s+(-?\\d+)"))
                .match(info)
                .captured(1)
                .toInt();
        };
        return {value(QStringLiteral("Absolute upper-left X")),
                value(QStringLiteral("Absolute upper-left Y")), value(QStringLiteral("Width")),
                value(QStringLiteral("Height"))};
    }
    // Our window that the tray's window holds, or empty.
    static QString embedded(const TestDesktop& desktop, const QString& tray) {
        const QString tree = desktop.run(QStringLiteral("xwininfo"),
                                         {QStringLiteral("-tree"), QStringLiteral("-id"), tray});
        for (const QString& window : shown(desktop))
            if (tree.contains(QStringLiteral("0x%1 ").arg(window.toULong(), 0, 16))) return window;
        return {};
    }

private slots:
    void statusIcon_data() {
        QTest::addColumn<bool>("trayHost");
        QTest::newRow("tray host") << true;
        QTest::newRow("no tray host") << false;
    }
    void statusIcon() {
        QFETCH(bool, trayHost);
        QStringList programs{QStringLiteral("Xvfb"), QStringLiteral("dbus-daemon"),
                             QStringLiteral("xdotool"), QStringLiteral("xwininfo")};
        if (trayHost) programs.append(QStringLiteral("trayer"));
        if (const QString absent = TestDesktop::missing(programs); !absent.isEmpty())
            QSKIP(qPrintable(absent +
                             QStringLiteral(" is not installed; ./tovrin setup installs it")));
        TestHome home;
        TestDesktop desktop;
        QVERIFY(desktop.startDisplay());
        QVERIFY(desktop.startBus());
        QString tray;
        if (trayHost) {
            QVERIFY(desktop.start(QStringLiteral("trayer"),
                                  {QStringLiteral("--edge"), QStringLiteral("top"),
                                   QStringLiteral("--align"), QStringLiteral("right")}));
            const QStringList panel{QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    QStringLiteral("^panel$")};
            QTRY_VERIFY(!search(desktop, panel).isEmpty());
            tray = search(desktop, panel).constFirst();
        }
        QProcessEnvironment xcb;
        xcb.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        xcb.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
        QVERIFY(desktop.start(QStringLiteral(TOVRIN_APP), {}, xcb));
        if (!trayHost) {
            QTRY_COMPARE_WITH_TIMEOUT(shown(desktop).size(), 1, 20000);
            return;
        }

        QString icon;
        QTRY_VERIFY_WITH_TIMEOUT(!(icon = embedded(desktop, tray)).isEmpty(), 20000);
        QCOMPARE(shown(desktop), QStringList{icon});
        desktop.run(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QStringLiteral("--window"), icon,
                     QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("click"),
                     QStringLiteral("1")});
        QTRY_COMPARE(shown(desktop).size(), 2);
        QStringList windows = shown(desktop);
        windows.removeOne(icon);
        const QRect iconArea = geometry(desktop, icon),
                    menuArea = geometry(desktop, windows.value(0));
        QVERIFY(menuArea.top() > iconArea.bottom());
        QVERIFY(menuArea.left() <= iconArea.center().x() &&
                iconArea.center().x() <= menuArea.right());
    }
};

QTEST_GUILESS_MAIN(TestTray)
#include "test_tray.moc"

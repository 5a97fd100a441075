#include "menupanel.h"
#include "quick.h"
#include "singleinstance.h"
#include "trayicons.h"

#include <QDir>
#include <QPainter>
#include <QSignalSpy>
#include <QUuid>

// The shell's decisions that need no window: the status icons, where the
// panel goes, one running instance per home.
class TestShellLogic : public QObject {
    Q_OBJECT
private slots:
    // Every icon in the resources renders at each size a status area asks for.
    void iconsRender() {
        const QStringList names = QDir(QStringLiteral(":/qt/qml/Tovrin/Core/icons")).entryList();
        QVERIFY(names.contains(TrayIcons::menuIcon + QStringLiteral(".svg")));
        const QList<int> sizes{16, 22, 24, 32};
        QImage sheet(names.size() * 40 + 8, sizes.size() * 40 + 8, QImage::Format_RGB32);
        sheet.fill(QColor(245, 245, 247));
        QPainter painter(&sheet);
        for (int n = 0; n < names.size(); ++n)
            for (int s = 0; s < sizes.size(); ++s) {
                const QImage icon = TrayIcons::render(names[n].chopped(4), sizes[s], Qt::black);
                bool inked = false;
                for (int y = 0; y < icon.height() && !inked; ++y)
                    for (int x = 0; x < icon.width() && !inked; ++x)
                        inked = qAlpha(icon.pixel(x, y)) > 0;
                QVERIFY2(inked, qPrintable(names[n]));
                painter.drawImage(8 + n * 40, 8 + s * 40, icon);
            }
        painter.end();
        QVERIFY(!TrayIcons::loads(QStringLiteral("no-such-icon")));
        QVERIFY(Quick::screenshot(sheet, QStringLiteral("shell-tray-icons")));
    }

    // Below a top bar's icon or above a bottom panel's, centred on it, kept
    // on the screen.
    void placement() {
        const QSize panel(368, 500);
        const QRect screen(0, 0, 1920, 1080);
        QCOMPARE(MenuPanel::placement(panel, QRect(1000, 0, 24, 24), screen), QPoint(827, 30));
        QCOMPARE(MenuPanel::placement(panel, QRect(1000, 1056, 24, 24), screen), QPoint(827, 550));
        QCOMPARE(MenuPanel::placement(panel, QRect(1900, 0, 20, 24), screen), QPoint(1546, 30));
        QCOMPARE(MenuPanel::placement(panel, QRect(0, 1056, 24, 24), screen), QPoint(6, 550));
    }

    void secondLaunch() {
        const QString name =
            QStringLiteral("tovrin-test-") + QUuid::createUuid().toString(QUuid::Id128);
        SingleInstance first(name);
        QVERIFY(!first.tellRunning()); // nobody there yet
        QVERIFY(first.listen());
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        SingleInstance second(name);
        QVERIFY(second.tellRunning());
        QVERIFY(shown.wait(5000));
        QCOMPARE(shown.count(), 1);
    }

    // Another home, as another user has, is another instance.
    void namePerHome() {
        const QString name = SingleInstance::defaultName();
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", "/tmp/tovrin-other-home");
        QVERIFY(SingleInstance::defaultName() != name);
        qputenv("HOME", home);
    }
};

QTEST_MAIN(TestShellLogic)
#include "test_shelllogic.moc"

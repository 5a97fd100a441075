#include "menucontroller.h"
#include "menupanel.h"
#include "quick.h"
#include "singleinstance.h"
#include "testitems.h"
#include "trayicons.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

namespace {

TestPlanItem item(const QString& category) {
    return TestPlanItem(QStringLiteral("/a"), QStringLiteral("Personal"), category);
}

} // namespace

// The shell's decisions that need no window: the plan's headline numbers,
// the status icon, where the panel goes, one running instance per home.
class TestShellLogic : public QObject {
    Q_OBJECT
private slots:
    // Junk and duplicates count as bytes only, needs-you as neither; any new
    // name is a rename; every other category, known or not, is organised.
    void planStats() {
        const QList<PlanItem> plan{item("project:Pellmark"),
                                   item("something-else"),
                                   item("junk").size(1000),
                                   item("duplicate").size(500),
                                   item("needs-you").newName("New name.pdf"),
                                   item("creator").newName("New name.pdf")};
        QCOMPARE(MenuStats::of(plan), (PlanStats{3, 2, 1500}));
    }

    // Without the menu glyph the icon still tells idle and busy apart.
    void trayIcon() {
        const QString busy = QStringLiteral("arrow.triangle.2.circlepath");
        QCOMPARE(TrayIcons::choose(Phase::applying, true), busy);
        QCOMPARE(TrayIcons::choose(Phase::scanning, false), busy);
        QCOMPARE(TrayIcons::choose(Phase::idle, false), QStringLiteral("sun.horizon"));
    }

    // Every icon the shell shows is in the resources and renders at each
    // size a status area asks for, on a light and a dark panel.
    void iconsRender() {
        const QStringList names{"MenuIcon",
                                "sun.horizon",
                                "sun.horizon.fill",
                                "arrow.triangle.2.circlepath",
                                "Mark",
                                "gearshape",
                                "folder",
                                "trash",
                                "arrow.uturn.backward",
                                "checkmark.circle",
                                "sparkles",
                                "doc",
                                "photo",
                                "questionmark.folder",
                                "xmark"};
        const QList<int> sizes{16, 22, 24, 32};
        QImage sheet(names.size() * 40 + 8, 2 * sizes.size() * 40 + 16, QImage::Format_RGB32);
        sheet.fill(QColor(245, 245, 247));
        QPainter painter(&sheet);
        const int half = sheet.height() / 2;
        painter.fillRect(0, half, sheet.width(), half, QColor(40, 40, 42));
        for (int n = 0; n < names.size(); ++n)
            for (int s = 0; s < sizes.size() * 2; ++s) {
                const bool dark = s >= sizes.size();
                const QImage icon = TrayIcons::render(names[n], sizes[s % sizes.size()],
                                                      dark ? QColor(240, 240, 242) : Qt::black);
                bool inked = false;
                for (int y = 0; y < icon.height() && !inked; ++y)
                    for (int x = 0; x < icon.width() && !inked; ++x)
                        inked = qAlpha(icon.pixel(x, y)) > 0;
                QVERIFY2(inked, qPrintable(names[n]));
                painter.drawImage(8 + n * 40, 8 + s * 40 + dark * 8, icon);
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

    // A second launch finds the first, asks it to show its panel, and ends.
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

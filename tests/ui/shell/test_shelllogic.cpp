#include "menucontroller.h"
#include "menupanel.h"
#include "quick.h"
#include "singleinstance.h"
#include "testitems.h"
#include "trayicons.h"

#include <QLocale>
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
// the cost line, the status icon per phase and where the panel goes.
class TestShellLogic : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void planStats_data() {
        QTest::addColumn<QList<PlanItem>>("plan");
        QTest::addColumn<int>("toOrganize");
        QTest::addColumn<int>("toRename");
        QTest::addColumn<qint64>("junkBytes");
        QTest::newRow("empty") << QList<PlanItem>{} << 0 << 0 << qint64(0);
        QTest::newRow("projects and personal files are organised")
            << QList<PlanItem>{item("project:Pellmark"), item("personal"), item("archive")} << 3
            << 0 << qint64(0);
        QTest::newRow("junk and duplicates count as junk bytes only")
            << QList<PlanItem>{item("junk").size(1000), item("duplicate").size(500),
                               item("personal").size(70)}
            << 1 << 0 << qint64(1500);
        QTest::newRow("needs-you is neither")
            << QList<PlanItem>{item("needs-you").size(300)} << 0 << 0 << qint64(0);
        QTest::newRow("any item with a new name is a rename")
            << QList<PlanItem>{item("needs-you").newName("New name.pdf"),
                               item("creator").newName("New name.pdf"), item("library")}
            << 2 << 2 << qint64(0);
        QTest::newRow("unknown categories are organised")
            << QList<PlanItem>{item("something-else")} << 1 << 0 << qint64(0);
    }
    void planStats() {
        QFETCH(QList<PlanItem>, plan);
        QFETCH(int, toOrganize);
        QFETCH(int, toRename);
        QFETCH(qint64, junkBytes);
        QCOMPARE(MenuStats::of(plan), (PlanStats{toOrganize, toRename, junkBytes}));
    }

    void costLine_data() {
        QTest::addColumn<std::optional<double>>("dollars");
        QTest::addColumn<QString>("text");
        QTest::newRow("no cost known") << std::optional<double>() << "";
        QTest::newRow("below a cent")
            << std::optional<double>(0.004) << "Claude cost for this refresh: <$0.01";
        QTest::newRow("exactly zero goes through the format")
            << std::optional<double>(0.0) << "Claude cost for this refresh: $0.00";
        QTest::newRow("dollars") << std::optional<double>(1.5)
                                 << "Claude cost for this refresh: $1.50";
    }
    void costLine() {
        QFETCH(std::optional<double>, dollars);
        QFETCH(QString, text);
        QCOMPARE(MenuStats::costLine(dollars), text);
    }

    void trayIcon_data() {
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<bool>("menuIconLoads");
        QTest::addColumn<QString>("icon");
        QTest::newRow("idle") << Phase::idle << true << "MenuIcon";
        QTest::newRow("done returns to the normal icon") << Phase::done << true << "MenuIcon";
        QTest::newRow("a plan waits") << Phase::review << true << "sun.horizon.fill";
        QTest::newRow("scanning") << Phase::scanning << true << "arrow.triangle.2.circlepath";
        QTest::newRow("applying") << Phase::applying << true << "arrow.triangle.2.circlepath";
        QTest::newRow("idle without the glyph") << Phase::idle << false << "sun.horizon";
        QTest::newRow("review without the glyph") << Phase::review << false << "sun.horizon.fill";
        QTest::newRow("busy without the glyph")
            << Phase::scanning << false << "arrow.triangle.2.circlepath";
    }
    void trayIcon() {
        QFETCH(Phase, phase);
        QFETCH(bool, menuIconLoads);
        QFETCH(QString, icon);
        QCOMPARE(TrayIcons::choose(phase, menuIconLoads), icon);
    }

    // Every icon a phase can ask for is in the resources and renders.
    void iconsRender_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"MenuIcon", "sun.horizon", "sun.horizon.fill", "arrow.triangle.2.circlepath", "Mark",
              "gearshape", "folder", "trash", "arrow.uturn.backward", "checkmark.circle",
              "sparkles", "doc", "photo", "questionmark.folder", "xmark"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void iconsRender() {
        QFETCH(QString, name);
        QVERIFY(TrayIcons::loads(name));
        const QImage image = TrayIcons::render(name, 24, Qt::black);
        QCOMPARE(image.size(), QSize(24, 24));
        bool inked = false;
        for (int y = 0; y < image.height() && !inked; ++y)
            for (int x = 0; x < image.width() && !inked; ++x)
                inked = qAlpha(image.pixel(x, y)) > 0;
        QVERIFY(inked);
    }

    void missingIconIsEmpty() {
        QVERIFY(!TrayIcons::loads(QStringLiteral("no-such-icon")));
        QVERIFY(TrayIcons::icon(QStringLiteral("no-such-icon"), Qt::black).isNull());
    }

    // The status icons at every size the status area asks for, on a light and
    // a dark panel, for a reviewer to look at.
    void trayScreenshots() {
        const QStringList names{QStringLiteral("MenuIcon"), QStringLiteral("sun.horizon.fill"),
                                QStringLiteral("arrow.triangle.2.circlepath"),
                                QStringLiteral("sun.horizon")};
        const QList<int> sizes{16, 22, 24, 32};
        QImage sheet(names.size() * 44 + 8, 2 * (sizes.size() * 40 + 8), QImage::Format_RGB32);
        sheet.fill(QColor(245, 245, 247));
        QPainter painter(&sheet);
        const int half = sheet.height() / 2;
        painter.fillRect(0, half, sheet.width(), half, QColor(40, 40, 42));
        for (int dark = 0; dark < 2; ++dark)
            for (int n = 0; n < names.size(); ++n)
                for (int s = 0; s < sizes.size(); ++s) {
                    const QImage icon = TrayIcons::render(
                        names[n], sizes[s], dark ? QColor(240, 240, 242) : QColor(10, 10, 10));
                    QVERIFY(!icon.isNull());
                    painter.drawImage(8 + n * 44, dark * half + 8 + s * 40, icon);
                }
        painter.end();
        QVERIFY(Quick::screenshot(sheet, QStringLiteral("shell-tray-icons")));
    }

    void placement_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("top bar: below the icon, centred on it")
            << QRect(1000, 0, 24, 24) << QPoint(1011 - 184, 30);
        QTest::newRow("bottom panel: above the icon")
            << QRect(1000, 1056, 24, 24) << QPoint(1011 - 184, 1056 - 6 - 500);
        QTest::newRow("near the right edge: kept on the screen")
            << QRect(1900, 0, 20, 24) << QPoint(1920 - 6 - 368, 30);
        QTest::newRow("near the left edge: kept on the screen")
            << QRect(0, 1056, 24, 24) << QPoint(6, 550);
    }
    void placement() {
        QFETCH(QRect, anchor);
        QFETCH(QPoint, position);
        QCOMPARE(MenuPanel::placement(QSize(368, 500), anchor, QRect(0, 0, 1920, 1080)), position);
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

    void namePerUserAndHome() {
        const QString name = SingleInstance::defaultName();
        QVERIFY(name.startsWith(QStringLiteral("tovrin-")));
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", "/tmp/tovrin-other-home");
        QVERIFY(SingleInstance::defaultName() != name);
        qputenv("HOME", home);
        QCOMPARE(SingleInstance::defaultName(), name);
    }
};

QTEST_MAIN(TestShellLogic)
#include "test_shelllogic.moc"

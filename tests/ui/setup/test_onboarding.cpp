#include "appstate.h"
#include "fakeclaude.h"
#include "store.h"
#include "testhome.h"
#include "viewharness.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

#include <memory>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_SetupPlugin)

namespace {

const QString renameDetail = QStringLiteral(
    "IMG_4821.png → “Vantle - holographic dragon card art.png”, named by what's actually in "
    "the file.");
const QString installersDetail =
    QStringLiteral("Otherwise old .dmg and .pkg files go to Clear out for you to review.");
const QString sundayDetail = QStringLiteral(
    "Every Sunday at 9 AM, Tovrin sorts the files you saved that week (in Downloads and on your "
    "Desktop) and sends you a notification when it's ready. You review and approve. Nothing "
    "moves before that.");

} // namespace

// The first-run window against a stand-in Messages server in a fake HOME.
class TestOnboarding : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<FakeClaude::Server> server;
    SilentNotifications notifications;

    std::unique_ptr<AppState> makeState() {
        AppServices services;
        services.notifications = &notifications;
        return std::make_unique<AppState>(services);
    }

    static int step(const ViewHarness& view) { return view.root()->property("step").toInt(); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init() {
        home = std::make_unique<TestHome>();
        server = std::make_unique<FakeClaude::Server>(FakeClaude::Options{});
        QVERIFY(server->listen());
        qputenv("ANTHROPIC_BASE_URL", server->url().toString().toUtf8());
    }

    void cleanup() {
        qunsetenv("ANTHROPIC_BASE_URL");
        server.reset();
        home.reset();
    }

    void stepsInOrder_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("screenshot");
        const QStringList header{QStringLiteral("Tovrin"),
                                 QStringLiteral("A fresh start for your Mac.")};
        QTest::newRow("connect")
            << 0
            << header + QStringList{QStringLiteral("Connect Tovrin"),
                                    QStringLiteral("Paste your Claude API key. It stays on this "
                                                   "Mac in a private file and is only sent to "
                                                   "Anthropic."),
                                    QStringLiteral("Test connection"), QStringLiteral("Continue")}
            << "onboarding-connect";
        QTest::newRow("preferences")
            << 1
            << header + QStringList{QStringLiteral("A few preferences"),
                                    QStringLiteral("Tovrin learns your projects and brands on its "
                                                   "own during your first refresh. You can change "
                                                   "these any time in Settings."),
                                    QStringLiteral("Quick"),
                                    QStringLiteral("Faster, great for most Macs"),
                                    QStringLiteral("Thorough"),
                                    QStringLiteral("Slower, more careful with tricky files"),
                                    QStringLiteral("FOLDERS TO SORT"),
                                    QStringLiteral("Desktop"),
                                    QStringLiteral("Downloads"),
                                    QStringLiteral("Documents"),
                                    QStringLiteral("Pictures"),
                                    QStringLiteral("Movies"),
                                    QStringLiteral("Organized folders are created in your "
                                                   "Documents folder."),
                                    QStringLiteral("Rename unclear files by what's in them"),
                                    renameDetail,
                                    QStringLiteral("Keep app installers"),
                                    installersDetail,
                                    QStringLiteral("Sunday Reset"),
                                    sundayDetail,
                                    QStringLiteral("Start my first refresh")}
            << "onboarding-preferences";
    }

    void stepsInOrder() {
        QFETCH(int, step);
        QFETCH(QStringList, texts);
        QFETCH(QString, screenshot);
        const auto state = makeState();
        ViewHarness view(QStringLiteral("OnboardingView"), state.get());
        QVERIFY(view.show());
        QCOMPARE(TestOnboarding::step(view), 0);
        QVERIFY(!view.find(QStringLiteral("check"))->isVisible());
        if (step == 1) {
            QVERIFY(view.click(QStringLiteral("continueButton")));
            QCOMPARE(TestOnboarding::step(view), 1);
            // The finished first step shows a check mark.
            QVERIFY(view.find(QStringLiteral("check"))->isVisible());
        }
        const QStringList shown = Quick::texts(view.root());
        for (const QString& text : texts)
            QVERIFY2(shown.contains(text), qPrintable(text));
        QCOMPARE(shown.contains(QStringLiteral("Connect Tovrin")), step == 0);
        QCOMPARE(shown.contains(QStringLiteral("A few preferences")), step == 1);
        QVERIFY(Quick::screenshot(view.window, screenshot));
    }

    // A 1366 × 768 screen with a panel leaves the window 688 high: each
    // step's button stays in view and the preferences scroll to their end.
    void fitsASmallScreen() {
        const auto state = makeState();
        ViewHarness view(QStringLiteral("OnboardingView"), state.get());
        view.window.setResizeMode(QQuickView::SizeRootObjectToView);
        view.window.resize(620, 768 - 32 - 48);
        QVERIFY(view.show());
        const QRectF window(QPointF(0, 0), view.window.size());
        const auto inView = [&](QQuickItem* item) {
            return item && window.contains(item->mapRectToScene(item->boundingRect()));
        };
        QVERIFY(inView(view.find(QStringLiteral("continueButton"))));
        QVERIFY(Quick::screenshot(view.window, QStringLiteral("onboarding-1366x768-connect")));
        QVERIFY(view.click(QStringLiteral("continueButton")));
        QVERIFY(inView(view.find(QStringLiteral("startButton"))));
        QVERIFY(Quick::screenshot(view.window, QStringLiteral("onboarding-1366x768-preferences")));

        QQuickItem* scroller = view.find(QStringLiteral("scroller"));
        QVERIFY(scroller);
        scroller->setProperty("contentY",
                              scroller->property("contentHeight").toReal() - scroller->height());
        QQuickItem* sunday = view.toggle(QStringLiteral("sundayResetRow"));
        QTRY_VERIFY(inView(sunday));
        const bool autoTidy = state->profile().autoTidy;
        QVERIFY(Quick::click(sunday));
        QCOMPARE(state->profile().autoTidy, !autoTidy);
        QVERIFY(inView(view.find(QStringLiteral("startButton"))));
        QVERIFY(
            Quick::screenshot(view.window, QStringLiteral("onboarding-1366x768-preferences-end")));
    }

    void keyCheck_data() {
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("screenshot");
        QTest::newRow("accepted") << QJsonArray{} << "Connected."
                                  << "onboarding-connected";
        QTest::newRow("rejected")
            << QJsonArray{401}
            << "Tovrin couldn't sign in to Claude (error 401). Nothing was moved."
            << "onboarding-rejected";
    }

    void keyCheck() {
        QFETCH(QJsonArray, script);
        QFETCH(QString, result);
        QFETCH(QString, screenshot);
        server->setScript(script);
        const auto state = makeState();
        ViewHarness view(QStringLiteral("OnboardingView"), state.get());
        QVERIFY(view.show());
        view.find(QStringLiteral("keyField"))
            ->setProperty("text", QStringLiteral("  sk-ant-test-key\n"));
        QVERIFY(view.click(QStringLiteral("testButton")));
        QVERIFY(view.root()->property("testing").toBool());
        QVERIFY(!view.find(QStringLiteral("testButton"))->isEnabled());
        QTRY_VERIFY(!view.root()->property("testing").toBool());

        QCOMPARE(view.find(QStringLiteral("testResult"))->property("text").toString(), result);
        QVERIFY(view.find(QStringLiteral("testResult"))->isVisible());
        QCOMPARE(TestOnboarding::step(view), 0);
        // Testing stores nothing.
        QCOMPARE(Store::loadKey(), std::nullopt);

        const QList<FakeClaude::Request> requests = server->requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].headers.value("x-api-key"), QByteArray("sk-ant-test-key"));
        const QJsonObject body = QJsonDocument::fromJson(requests[0].body).object();
        QCOMPARE(body.value(QStringLiteral("system")).toString(), QStringLiteral("Reply with OK."));
        QCOMPARE(body.value(QStringLiteral("max_tokens")).toInt(), 5);
        QCOMPARE(body.value(QStringLiteral("model")).toString(), state->profile().model);
        const QJsonObject block = body.value(QStringLiteral("messages"))
                                      .toArray()
                                      .at(0)
                                      .toObject()
                                      .value(QStringLiteral("content"))
                                      .toArray()
                                      .at(0)
                                      .toObject();
        QCOMPARE(block.value(QStringLiteral("text")).toString(), QStringLiteral("ping"));
        QVERIFY(Quick::screenshot(view.window, screenshot));
    }

    void continueSavesKey_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("trimmed") << " sk-ant-abc \n"
                                 << "sk-ant-abc";
        QTest::newRow("empty") << ""
                               << "";
    }

    void continueSavesKey() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const auto state = makeState();
        ViewHarness view(QStringLiteral("OnboardingView"), state.get());
        QVERIFY(view.show());
        view.find(QStringLiteral("keyField"))->setProperty("text", typed);
        QVERIFY(view.click(QStringLiteral("continueButton")));
        QCOMPARE(TestOnboarding::step(view), 1);
        QCOMPARE(state->apiKey(), stored);
        QCOMPARE(Store::loadKey().value_or(QStringLiteral("(none)")), stored);
        QCOMPARE(server->requestCount(), 0);
    }

    void folderSwitches_data() {
        QTest::addColumn<QStringList>("initial");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("expected");
        const QStringList standard{QStringLiteral("Desktop"), QStringLiteral("Downloads"),
                                   QStringLiteral("Documents")};
        QTest::newRow("pictures on") << standard << QStringList{QStringLiteral("Pictures")}
                                     << standard + QStringList{QStringLiteral("Pictures")};
        QTest::newRow("pictures on and off")
            << standard << QStringList{QStringLiteral("Pictures"), QStringLiteral("Pictures")}
            << standard;
        QTest::newRow("desktop twice, off")
            << QStringList{QStringLiteral("Desktop"), QStringLiteral("Downloads"),
                           QStringLiteral("Desktop")}
            << QStringList{QStringLiteral("Desktop")} << QStringList{QStringLiteral("Downloads")};
    }

    void folderSwitches() {
        QFETCH(QStringList, initial);
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, expected);
        const auto state = makeState();
        Profile profile = state->profile();
        profile.scanFolders = initial;
        state->setProfile(profile);
        ViewHarness view(QStringLiteral("OnboardingView"), state.get());
        QVERIFY(view.show());
        QVERIFY(view.click(QStringLiteral("continueButton")));
        for (const QString& folder : clicks)
            QVERIFY(Quick::click(view.toggle(QStringLiteral("folder-") + folder)));
        QCOMPARE(state->profile().scanFolders, expected);
        for (const QString& folder : {QStringLiteral("Desktop"), QStringLiteral("Pictures")})
            QCOMPARE(view.toggle(QStringLiteral("folder-") + folder)->property("checked").toBool(),
                     expected.contains(folder));
        // In memory only until the last step.
        QCOMPARE(Store::loadProfile(), std::nullopt);
    }

    void startSavesAndRefreshes() {
        const auto state = makeState();
        ViewHarness view(QStringLiteral("OnboardingView"), state.get());
        QVERIFY(view.show());
        QSignalSpy finished(view.root(), SIGNAL(finished()));
        view.find(QStringLiteral("keyField"))->setProperty("text", QStringLiteral("sk-ant-key"));
        QVERIFY(view.click(QStringLiteral("continueButton")));
        QVERIFY(Quick::click(view.toggle(QStringLiteral("renameRow"))));
        QVERIFY(Quick::click(view.toggle(QStringLiteral("installersRow"))));
        QVERIFY(Quick::click(view.toggle(QStringLiteral("sundayResetRow"))));
        QVERIFY(view.click(QStringLiteral("mode-claude-sonnet-5-5")));
        QVERIFY(view.find(QStringLiteral("mode-claude-sonnet-5-5"))->property("selected").toBool());
        QCOMPARE(Store::loadProfile(), std::nullopt);

        QVERIFY(view.click(QStringLiteral("startButton")));
        QCOMPARE(finished.count(), 1);
        const std::optional<Profile> saved = Store::loadProfile();
        QVERIFY(saved);
        QVERIFY(saved->onboarded);
        QVERIFY(!saved->renameFiles);
        QVERIFY(saved->keepInstallers);
        QVERIFY(saved->autoTidy);
        QCOMPARE(saved->model, QStringLiteral("claude-sonnet-5-5"));
        // Sunday Reset on: no separate weekly reminder.
        QCOMPARE(state->notifier().reminderDue(), std::nullopt);
        QCOMPARE(state->phase(), Phase::scanning);
        QTRY_VERIFY_WITH_TIMEOUT(!state->isBusy(), 20000);
        QVERIFY(server->requestCount() >= 1);
    }
};

QTEST_MAIN(TestOnboarding)
#include "test_onboarding.moc"

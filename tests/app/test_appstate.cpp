#include "appstate.h"
#include "fakes.h"
#include "json.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

using TestFiles::read;
using TestFiles::write;

QByteArray planBytes(const QList<PlanItem>& plan) {
    return Json::compact(Json::encodeList(plan));
}

QStringList namesIn(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

} // namespace

class TestAppState : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    RecordingNotifications notifications;
    FakeClaude claude;
    QDateTime clock;
    QStringList opened;

    AppServices services() {
        AppServices s;
        s.now = [this] { return clock; };
        s.notifications = &notifications;
        s.send = claude.send();
        s.settingsPath = home->path(QStringLiteral(".config/Tovrin/Tovrin.conf"));
        return s;
    }

    std::unique_ptr<AppState> makeState() {
        auto state = std::make_unique<AppState>(services());
        state->setOpenWindow([this](const QString& id) { opened.append(id); });
        return state;
    }

    // A plan item whose source exists unless `present` is false.
    PlanItem item(qint64 id, const QString& name,
                  const QString& category = QStringLiteral("needs-you"), bool present = true) {
        const QString path = home->path(QStringLiteral("Downloads/") + name);
        if (present) write(path, "x");
        PlanItem p;
        p.id = id;
        p.src = QUrl::fromLocalFile(path);
        p.destFolder = QStringLiteral("Tovrin Review/Needs You");
        p.category = category;
        p.confidence = QStringLiteral("low");
        p.reason = QStringLiteral("Not sure what this is");
        p.kind = FileKind::doc;
        p.size = 1;
        p.approved = true;
        return p;
    }

    Profile onboardedProfile() {
        Profile profile;
        profile.onboarded = true;
        return profile;
    }

    QList<PlanItem> savedPlan() { return Store::loadPlan().value_or(QList<PlanItem>{}); }

private slots:
    void init() {
        home = std::make_unique<TestHome>();
        notifications.shown.clear();
        notifications.up = true;
        opened.clear();
        clock = QDateTime(QDate(2026, 12, 2), QTime(12, 0), Qt::UTC);
    }
    void cleanup() { home.reset(); }

    void firstLaunch() {
        const auto state = makeState();
        QCOMPARE(state->profile(), Profile{});
        QCOMPARE(state->profile().homeBase, home->path(QStringLiteral("Documents")));
        QCOMPARE(state->profile().scanFolders,
                 QStringList({QStringLiteral("Desktop"), QStringLiteral("Downloads"),
                              QStringLiteral("Documents")}));
        QCOMPARE(state->phase(), Phase::idle);
        QCOMPARE(state->apiKey(), QStringLiteral("@tovrin-server"));
        QVERIFY(state->autoCheckTimer().isActive());
        QCOMPARE(state->autoCheckTimer().interval(), 600'000);
        QVERIFY(!QFile::exists(Store::filePath(QStringLiteral("profile.json"))));
        QVERIFY(notifications.shown.isEmpty());
        QCOMPARE(state->lastRunText(), QStringLiteral("Ready for a fresh start"));
        QCOMPARE(state->lastLogText(), QString());
    }

    void unreadableProfile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not json") << QByteArray("{\"onboarded\": tru");
        QTest::newRow("missing model") << QByteArray(
            R"({"onboarded":true,"projects":[{"id":"{00000000-0000-0000-0000-000000000001}","name":"Acme","aliases":""}],"renameFiles":true,"keepInstallers":false,"autoTidy":false,"homeBase":"/x","scanFolders":[]})");
        QTest::newRow("array") << QByteArray("[]");
    }

    // The default profile is used, and what the user had stays readable
    // beside it instead of being overwritten by the next save.
    void unreadableProfile() {
        QFETCH(QByteArray, bytes);
        const QString path = Store::filePath(QStringLiteral("profile.json"));
        write(path, bytes);
        const auto state = makeState();
        QCOMPARE(state->profile(), Profile{});
        const QStringList aside =
            namesIn(Store::dir(), QStringLiteral("profile.unreadable-*.json"));
        QCOMPARE(aside.size(), 1);
        QCOMPARE(read(Store::dir() + QLatin1Char('/') + aside.first()), bytes);

        state->addProject(QStringLiteral("Pellmark"));
        QCOMPARE(read(Store::dir() + QLatin1Char('/') + aside.first()), bytes);
        QCOMPARE(Store::loadProfile()->projects.size(), 1);
    }

    void storedProfileAndKey() {
        Profile profile = onboardedProfile();
        profile.model = QStringLiteral("claude-sonnet-5-5");
        Store::saveProfile(profile);
        Store::saveKey(QStringLiteral("sk-stored"));
        const auto state = makeState();
        QCOMPARE(state->profile(), profile);
        QCOMPARE(state->apiKey(), QStringLiteral("sk-stored"));

        QSignalSpy keySpy(state.get(), &AppState::apiKeyChanged);
        state->saveKey(QStringLiteral("  sk-new \n"));
        QCOMPARE(state->apiKey(), QStringLiteral("sk-new"));
        QCOMPARE(keySpy.count(), 1);
        QCOMPARE(Store::loadKey(), std::optional<QString>(QStringLiteral("sk-new")));
    }

    void startup_data() {
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("import");
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<QList<qint64>>("planIds");
        QTest::addColumn<QString>("onDisk"); // "absent", "unchanged" or the ids saved
        QTest::addColumn<QStringList>("importFolder");
        QTest::addColumn<bool>("opensReview");

        const QList<qint64> none;
        QTest::newRow("nothing") << "none"
                                 << "none" << Phase::idle << none << "absent" << QStringList()
                                 << false;
        QTest::newRow("pending, one vanished")
            << "good"
            << "none" << Phase::review << QList<qint64>{1} << "1" << QStringList() << false;
        QTest::newRow("pending, all vanished")
            << "vanished"
            << "none" << Phase::idle << none << "unchanged" << QStringList() << false;
        QTest::newRow("pending built while failing")
            << "api-error"
            << "none" << Phase::idle << none << "" << QStringList() << false;
        QTest::newRow("pending corrupt")
            << "corrupt"
            << "none" << Phase::idle << none << "absent" << QStringList() << false;
        QTest::newRow("import wins") << "good"
                                     << "good" << Phase::review << QList<qint64>{10} << "10"
                                     << QStringList{"import-plan.loaded-*.json"} << true;
        QTest::newRow("import all vanished")
            << "good"
            << "vanished" << Phase::review << QList<qint64>{1} << "1"
            << QStringList{"import-plan.loaded-*.json"} << false;
        QTest::newRow("import corrupt") << "good"
                                        << "corrupt" << Phase::review << QList<qint64>{1} << "1"
                                        << QStringList{"import-plan.unreadable-*.json"} << false;
        QTest::newRow("import only") << "none"
                                     << "good" << Phase::review << QList<qint64>{10} << "10"
                                     << QStringList{"import-plan.loaded-*.json"} << true;
    }

    void startup() {
        QFETCH(QString, pending);
        QFETCH(QString, import);
        QFETCH(Phase, phase);
        QFETCH(QList<qint64>, planIds);
        QFETCH(QString, onDisk);
        QFETCH(QStringList, importFolder);
        QFETCH(bool, opensReview);

        const QString pendingPath = Store::filePath(QStringLiteral("pending-plan.json"));
        QByteArray pendingBytes;
        if (pending == QLatin1String("good"))
            pendingBytes = planBytes({item(1, "a.txt"), item(2, "gone.txt", "library", false)});
        else if (pending == QLatin1String("vanished"))
            pendingBytes = planBytes({item(1, "gone1.txt", "library", false)});
        else if (pending == QLatin1String("api-error")) {
            PlanItem failed = item(2, "b.txt");
            failed.refused = true;
            pendingBytes = planBytes({item(1, "a.txt"), failed});
        } else if (pending == QLatin1String("corrupt"))
            pendingBytes = "[{\"id\": 1, \"src\": ";
        if (!pendingBytes.isEmpty()) write(pendingPath, pendingBytes);

        const QString importPath = Store::importPlanPath();
        QByteArray importBytes;
        if (import == QLatin1String("good"))
            importBytes = planBytes({item(10, "i.txt"), item(11, "gone2.txt", "library", false)});
        else if (import == QLatin1String("vanished"))
            importBytes = planBytes({item(11, "gone2.txt", "library", false)});
        else if (import == QLatin1String("corrupt"))
            importBytes = "not a plan";
        if (!importBytes.isEmpty()) write(importPath, importBytes);

        clock = QDateTime::fromSecsSinceEpoch(1'796'000'000, Qt::UTC);
        const auto state = makeState();
        QCOMPARE(state->phase(), phase);
        QList<qint64> ids;
        for (const PlanItem& p : state->plan())
            ids.append(p.id);
        QCOMPARE(ids, planIds);

        if (onDisk == QLatin1String("absent"))
            QVERIFY(!QFile::exists(pendingPath));
        else if (onDisk == QLatin1String("unchanged"))
            QCOMPARE(read(pendingPath), pendingBytes);
        else {
            QStringList saved;
            for (const PlanItem& p : savedPlan())
                saved.append(QString::number(p.id));
            QCOMPARE(saved.join(QLatin1Char(',')), onDisk);
            QCOMPARE(savedPlan(), state->plan());
        }
        if (pending == QLatin1String("corrupt")) {
            const QStringList aside =
                namesIn(Store::dir(), QStringLiteral("pending-plan.unreadable-*.json"));
            QCOMPARE(aside, QStringList{QStringLiteral("pending-plan.unreadable-1796000000.json")});
            QCOMPARE(read(Store::dir() + QLatin1Char('/') + aside.first()), pendingBytes);
        }

        const QString importDir = QFileInfo(importPath).absolutePath();
        QCOMPARE(QFile::exists(importPath), false);
        for (const QString& pattern : importFolder) {
            const QStringList found = namesIn(importDir, pattern);
            QCOMPARE(found.size(), 1);
            QVERIFY(found.first().endsWith(QStringLiteral("-1796000000.json")));
            QCOMPARE(read(importDir + QLatin1Char('/') + found.first()), importBytes);
        }

        const QStringList replaced =
            namesIn(Store::dir(), QStringLiteral("pending-plan.replaced-*.json"));
        if (pending == QLatin1String("good") && import == QLatin1String("good")) {
            QCOMPARE(replaced,
                     QStringList{QStringLiteral("pending-plan.replaced-1796000000.json")});
            const std::optional<QJsonValue> old =
                Json::parse(read(Store::dir() + QLatin1Char('/') + replaced.first()));
            QVERIFY(old);
            QCOMPARE(Json::decodeList<PlanItem>(*old)->first().id, 1);
        } else
            QVERIFY(replaced.isEmpty());

        QVERIFY(opened.isEmpty()); // never at once
        if (opensReview)
            QTRY_COMPARE_WITH_TIMEOUT(opened, QStringList{QStringLiteral("review")}, 5000);
    }

    void toggleAndRename() {
        Store::savePlan({item(1, "a.txt"), item(2, "b.txt")});
        const auto state = makeState();
        QSignalSpy planSpy(state.get(), &AppState::planChanged);

        state->toggle(1);
        QCOMPARE(state->plan().at(0).approved, false);
        QCOMPARE(savedPlan(), state->plan());
        state->toggle(1);
        QCOMPARE(state->plan().at(0).approved, true);
        QCOMPARE(savedPlan(), state->plan());

        state->toggleRename(2);
        QCOMPARE(state->plan().at(1).renameApproved, true);
        QCOMPARE(savedPlan(), state->plan());
        QCOMPARE(planSpy.count(), 3);

        state->toggle(99);
        state->toggleRename(99);
        QCOMPARE(planSpy.count(), 3);
        QCOMPARE(state->phase(), Phase::review);
    }

    void setApproved() {
        Store::savePlan({item(1, "a.txt"), item(2, "b.txt"), item(3, "c.txt")});
        const auto state = makeState();
        state->setApproved({1, 3, 42}, false);
        QCOMPARE(state->plan().at(0).approved, false);
        QCOMPARE(state->plan().at(1).approved, true);
        QCOMPARE(state->plan().at(2).approved, false);
        QCOMPARE(savedPlan(), state->plan());
    }

    void setDestination_data() {
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("approved");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("dest");
        QTest::addColumn<bool>("lesson");
        QTest::newRow("leave where it is") << qint64(1) << QString() << false << "needs-you"
                                           << "Tovrin Review/Needs You" << false;
        QTest::newRow("blank is leave") << qint64(1) << QStringLiteral("  ") << false << "needs-you"
                                        << "Tovrin Review/Needs You" << false;
        QTest::newRow("folder chosen")
            << qint64(1) << QStringLiteral("Personal/Finance & Receipts") << true << "user"
            << "Personal/Finance & Receipts" << true;
        QTest::newRow("unknown id")
            << qint64(7) << QStringLiteral("Personal") << true << "needs-you"
            << "Tovrin Review/Needs You" << false;
    }

    void setDestination() {
        QFETCH(qint64, id);
        QFETCH(QString, folder);
        QFETCH(bool, approved);
        QFETCH(QString, category);
        QFETCH(QString, dest);
        QFETCH(bool, lesson);
        PlanItem first = item(1, "scan 3.pdf");
        first.approved = !folder.trimmed().isEmpty() ? false : true;
        first.reason = QStringLiteral("A bank statement");
        Store::savePlan({first});
        const auto state = makeState();
        state->setDestination(id, folder);
        const PlanItem& p = state->plan().first();
        QCOMPARE(p.approved, id == 1 ? approved : first.approved);
        QCOMPARE(p.category, category);
        QCOMPARE(p.destFolder, dest);
        QCOMPARE(savedPlan(), state->plan());
        const QList<Lesson> lessons = Store::loadLessons();
        if (lesson)
            QCOMPARE(lessons, QList<Lesson>{(Lesson{QStringLiteral("scan 3.pdf"),
                                                    QStringLiteral("A bank statement"), folder})});
        else
            QVERIFY(lessons.isEmpty());
    }

    void addProject_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<int>("moved");
        QTest::addColumn<QStringList>("projects");
        QTest::addColumn<QString>("firstDest");
        QTest::newRow("new project")
            << "  Acme Web \n"
            << QStringList() << 3 << QStringList{"Acme Web"} << "Projects/Acme Web/Docs";
        QTest::newRow("existing, other case")
            << "acme web" << QStringList{"Clients/ACME WEB"} << 3 << QStringList{"Clients/ACME WEB"}
            << "Projects/acme web/Docs";
        QTest::newRow("nothing matches")
            << "Zephyr" << QStringList() << 0 << QStringList{"Zephyr"} << "Tovrin Review/Needs You";
        QTest::newRow("colon in name") << " Acme: Web " << QStringList() << 0
                                       << QStringList{"Acme: Web"} << "Tovrin Review/Needs You";
    }

    void addProject() {
        QFETCH(QString, name);
        QFETCH(QStringList, existing);
        QFETCH(int, moved);
        QFETCH(QStringList, projects);
        QFETCH(QString, firstDest);
        Profile profile = onboardedProfile();
        for (const QString& n : existing)
            profile.projects.append(Project{QUuid::createUuid(), n, {}});
        Store::saveProfile(profile);

        PlanItem brief = item(1, "acme web brief.txt");
        PlanItem creator = item(2, "acme web.png", "creator");
        creator.kind = FileKind::image;
        PlanItem photo = item(3, "IMG_0042.png", "library");
        photo.kind = FileKind::image;
        photo.suggestedProject = QStringLiteral("ACME WEB");
        photo.approved = false;
        PlanItem invoice = item(4, "other.txt");
        invoice.reason = QStringLiteral("Invoice from ACME WEB");
        Store::savePlan({brief, creator, photo, invoice});

        const auto state = makeState();
        QCOMPARE(state->addProject(name), moved);
        QStringList names;
        for (const Project& p : state->profile().projects)
            names.append(p.name);
        QCOMPARE(names, projects);
        QCOMPARE(Store::loadProfile()->projects, state->profile().projects);
        QCOMPARE(savedPlan(), state->plan());

        const QList<PlanItem>& plan = state->plan();
        QCOMPARE(plan.at(0).destFolder, firstDest);
        QCOMPARE(plan.at(1).category, QStringLiteral("creator")); // never a candidate
        if (moved) {
            const QString clean = name.trimmed();
            QCOMPARE(plan.at(0).category, QStringLiteral("project:") + clean);
            QCOMPARE(plan.at(2).destFolder, QStringLiteral("Projects/") + clean + "/Images");
            QCOMPARE(plan.at(2).approved, true);
            QCOMPARE(plan.at(2).suggestedProject, std::nullopt);
            QCOMPARE(plan.at(3).category, QStringLiteral("project:") + clean);
        }
        const QList<Lesson> lessons = Store::loadLessons();
        QCOMPARE(lessons.size(), 1);
        QCOMPARE(lessons.first(),
                 (Lesson{QStringLiteral("(project)"), QStringLiteral("user added project"),
                         QStringLiteral("Projects/") + name.trimmed()}));
    }

    void addProjectFolderName() {
        Store::saveProfile(onboardedProfile());
        PlanItem sheet = item(1, "acme: web rates.xlsx");
        sheet.kind = FileKind::sheet;
        Store::savePlan({sheet});
        const auto state = makeState();
        QCOMPARE(state->addProject(QStringLiteral("  Acme: Web ")), 1);
        QCOMPARE(state->plan().first().destFolder, QStringLiteral("Projects/Acme- Web/Docs"));
        QCOMPARE(state->plan().first().category, QStringLiteral("project:Acme: Web"));
    }

    void addBlankProject() {
        Store::savePlan({item(1, "a.txt")});
        const auto state = makeState();
        QSignalSpy profileSpy(state.get(), &AppState::profileChanged);
        QCOMPARE(state->addProject(QStringLiteral(" \n\t")), 0);
        QCOMPARE(profileSpy.count(), 0);
        QVERIFY(Store::loadLessons().isEmpty());
        QVERIFY(!Store::loadProfile());
    }

    void projectSuggestions_data() {
        QTest::addColumn<QStringList>("suggested"); // one plan item each, "category:name"
        QTest::addColumn<QStringList>("known");
        QTest::addColumn<QStringList>("expected"); // "name:count"
        QTest::newRow("single mention ignored")
            << QStringList{"needs-you:Ox", "needs-you:Kite", "library:Kite"} << QStringList()
            << QStringList{"Kite:2"};
        QTest::newRow("known in other case")
            << QStringList{"needs-you:kite", "library:kite", "needs-you:Ox", "needs-you:Ox"}
            << QStringList{"Agency/KITE"} << QStringList{"Ox:2"};
        QTest::newRow("other categories do not count")
            << QStringList{"creator:Kite", "personal:Kite", "needs-you:Kite"} << QStringList()
            << QStringList();
        QTest::newRow("top three of five")
            << QStringList{"needs-you:A", "needs-you:A", "needs-you:B", "needs-you:B",
                           "needs-you:B", "needs-you:C", "needs-you:C", "needs-you:C",
                           "needs-you:C", "needs-you:D", "needs-you:D", "needs-you:D",
                           "needs-you:D", "needs-you:D", "needs-you:E", "needs-you:E"}
            << QStringList() << QStringList{"D:5", "C:4", "B:3"};
    }

    void projectSuggestions() {
        QFETCH(QStringList, suggested);
        QFETCH(QStringList, known);
        QFETCH(QStringList, expected);
        Profile profile = onboardedProfile();
        for (const QString& n : known)
            profile.projects.append(Project{QUuid::createUuid(), n, {}});
        Store::saveProfile(profile);
        QList<PlanItem> plan;
        for (const QString& entry : suggested) {
            PlanItem p = item(plan.size() + 1, QStringLiteral("f%1.txt").arg(plan.size()),
                              entry.section(QLatin1Char(':'), 0, 0));
            p.suggestedProject = entry.section(QLatin1Char(':'), 1);
            plan.append(p);
        }
        Store::savePlan(plan);
        const auto state = makeState();
        QStringList got;
        for (const GroupCount& g : state->projectSuggestions())
            got.append(g.name + QLatin1Char(':') + QString::number(g.count));
        QCOMPARE(got, expected);
    }

    void discardPlan() {
        Store::savePlan({item(1, "a.txt")});
        const auto state = makeState();
        QSignalSpy phaseSpy(state.get(), &AppState::phaseChanged);
        state->discardPlan();
        QCOMPARE(state->phase(), Phase::idle);
        QVERIFY(state->plan().isEmpty());
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(QList<PlanItem>{}));
        QCOMPARE(phaseSpy.count(), 1);
    }

    void previewRecap() {
        const auto state = makeState();
        QSignalSpy recapSpy(state.get(), &AppState::recapChanged);
        state->previewRecap();
        QCOMPARE(recapSpy.count(), 1);
        QCOMPARE(opened, QStringList{QStringLiteral("recap")});
        const std::optional<RecapData> recap = state->recap();
        QVERIFY(recap);
        QCOMPARE(recap->result, (ApplyResult{3639, 1204, 6'400'000'000, 14, 0}));
        QCOMPARE(recap->groups.size(), 5);
        QCOMPARE(recap->groups.first(), (GroupCount{QStringLiteral("Personal"), 744}));
        QCOMPARE(recap->renameTo, QStringLiteral("Vantle - holographic dragon card art.png"));
        QCOMPARE(recap->duplicates, 118);
        QCOMPARE(state->phase(), Phase::idle); // a preview, not a result
    }

    void notificationClick_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("planWaits");
        QTest::addColumn<QStringList>("opens");
        QTest::addColumn<Phase>("phase");
        QTest::newRow("reminder, plan waits")
            << "sunday-reminder" << true << QStringList{"review"} << Phase::review;
        QTest::newRow("plan ready, plan waits")
            << "plan-ready" << true << QStringList{"review"} << Phase::review;
        QTest::newRow("reminder, nothing pending")
            << "sunday-reminder" << false << QStringList() << Phase::scanning;
        QTest::newRow("plan ready, nothing pending")
            << "plan-ready" << false << QStringList() << Phase::idle;
    }

    void notificationClick() {
        QFETCH(QString, id);
        QFETCH(bool, planWaits);
        QFETCH(QStringList, opens);
        QFETCH(Phase, phase);
        Store::saveProfile(onboardedProfile());
        if (planWaits) Store::savePlan({item(1, "a.txt")});
        const auto state = makeState();
        notifications.click(id);
        QCOMPARE(opened, opens);
        QCOMPARE(state->phase(), phase);
    }

    void clickAfterStateIsGone() {
        auto state = makeState();
        state.reset();
        notifications.click(QStringLiteral("sunday-reminder"));
        QVERIFY(opened.isEmpty());
    }

    void profileAutoTidySetsUpNotifications_data() {
        QTest::addColumn<bool>("onboarded");
        QTest::addColumn<bool>("reminderAfter");
        QTest::newRow("onboarded") << true << false;
        QTest::newRow("not onboarded") << false << true;
    }

    void profileAutoTidySetsUpNotifications() {
        QFETCH(bool, onboarded);
        QFETCH(bool, reminderAfter);
        Profile profile = onboardedProfile();
        Store::saveProfile(profile);
        const auto state = makeState();
        QVERIFY(state->notifier().reminderDue().has_value());
        profile.onboarded = onboarded;
        profile.autoTidy = true;
        QSignalSpy spy(state.get(), &AppState::profileChanged);
        state->setProfile(profile);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(state->notifier().reminderDue().has_value(), reminderAfter);
        state->setProfile(profile); // an equal value changes nothing
        QCOMPARE(spy.count(), 1);
    }

    void progressTexts_data() {
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<RefreshStep>("step");
        QTest::addColumn<int>("decided");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("startedSecondsAgo"); // -1: no report yet
        QTest::addColumn<int>("baseline");
        QTest::addColumn<QString>("timeLeft"); // empty: none
        QTest::addColumn<QString>("calm");
        const QString estimating = QStringLiteral("Estimating time left…");
        QTest::newRow("walking") << Phase::scanning << RefreshStep::walking << 0 << 0 << -1 << 0
                                 << ""
                                 << "Learning what you work on…";
        QTest::newRow("discovering")
            << Phase::scanning << RefreshStep::learning << 0 << 40 << -1 << 0 << ""
            << "Learning what you work on…";
        QTest::newRow("before the first report")
            << Phase::scanning << RefreshStep::classifying << 0 << 40 << -1 << 0 << ""
            << "Getting started…";
        QTest::newRow("warm-up") << Phase::scanning << RefreshStep::classifying << 10 << 700 << 5
                                 << 0 << estimating << estimating;
        QTest::newRow("two minutes") << Phase::scanning << RefreshStep::classifying << 100 << 700
                                     << 20 << 0 << "About 2 min left"
                                     << "About 2 min left";
        QTest::newRow("under a minute") << Phase::scanning << RefreshStep::classifying << 100 << 150
                                        << 20 << 0 << "Less than a minute left"
                                        << "Less than a minute left";
        // What the first report already counted is kept out of the rate.
        QTest::newRow("baseline") << Phase::scanning << RefreshStep::classifying << 100 << 700 << 20
                                  << 90 << "About 20 min left"
                                  << "About 20 min left";
        QTest::newRow("nothing done since the first report")
            << Phase::scanning << RefreshStep::classifying << 90 << 700 << 20 << 90 << estimating
            << estimating;
        QTest::newRow("all decided")
            << Phase::scanning << RefreshStep::classifying << 7 << 7 << 20 << 0 << "" << estimating;
        QTest::newRow("applying") << Phase::applying << RefreshStep::moving << 0 << 0 << -1 << 0
                                  << ""
                                  << "Putting everything in its place";
        QTest::newRow("review ignores old start")
            << Phase::review << RefreshStep::classifying << 3 << 7 << 20 << 0 << "" << estimating;
    }

    void progressTexts() {
        QFETCH(Phase, phase);
        QFETCH(RefreshStep, step);
        QFETCH(int, decided);
        QFETCH(int, total);
        QFETCH(int, startedSecondsAgo);
        QFETCH(int, baseline);
        QFETCH(QString, timeLeft);
        QFETCH(QString, calm);
        const QDateTime now(QDate(2026, 12, 6), QTime(9, 30), Qt::UTC);
        ProgressView view{phase, step, decided, total, std::nullopt, baseline};
        if (startedSecondsAgo >= 0) view.classifyStart = now.addSecs(-startedSecondsAgo);
        QCOMPARE(timeLeftText(view, now).value_or(QString()), timeLeft);
        QCOMPARE(calmStatus(view, now), calm);
    }

    void relativeTexts_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("now") << qint64(0) << "0 seconds ago";
        QTest::newRow("one minute") << qint64(61) << "1 minute ago";
        QTest::newRow("hours") << qint64(3 * 3600 + 5) << "3 hours ago";
        QTest::newRow("two days") << qint64(2 * 86400 + 100) << "2 days ago";
        QTest::newRow("weeks") << qint64(15 * 86400) << "2 weeks ago";
        QTest::newRow("a year") << qint64(400 * 86400) << "1 year ago";
        QTest::newRow("clock behind") << qint64(-7200) << "in 2 hours";
    }

    void relativeTexts() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        const QDateTime now(QDate(2026, 12, 6), QTime(9, 30), Qt::UTC);
        QCOMPARE(relativeText(now.addSecs(-seconds), now), text);
    }

    void lastRunTextAfterARefresh() {
        Profile profile = onboardedProfile();
        profile.lastRun = clock.addDays(-2);
        Store::saveProfile(profile);
        const auto state = makeState();
        QCOMPARE(state->lastRunText(), QStringLiteral("Last refresh 2 days ago"));
    }

    // "Send all to…" over many items is one edit: the whole plan is written
    // once, not once per item.
    void setDestinations() {
        QList<PlanItem> plan;
        for (qint64 id = 1; id <= 4; ++id)
            plan.append(item(id, QStringLiteral("scan %1.pdf").arg(id)));
        plan[3].id = 3; // a second item under one id: only the first is edited
        Store::savePlan(plan);
        const auto state = makeState();
        QSignalSpy changes(state.get(), &AppState::planChanged);
        state->setDestinations({1, 3, 42}, QStringLiteral("Work Admin"));
        QCOMPARE(changes.count(), 1);
        QStringList dests;
        for (const PlanItem& p : state->plan())
            dests.append(p.destFolder);
        QCOMPARE(dests, QStringList({"Work Admin", "Tovrin Review/Needs You", "Work Admin",
                                     "Tovrin Review/Needs You"}));
        QCOMPARE(savedPlan(), state->plan());
        QCOMPARE(Store::loadLessons().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestAppState)
#include "test_appstate.moc"

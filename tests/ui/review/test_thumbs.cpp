#include "testfiles.h"
#include "testhome.h"
#include "testimages.h"
#include "thumbs.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>

#include <atomic>
#include <memory>

// The shared thumbnail cache and the two image providers the tiles use.
class TestThumbs : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<QQmlEngine> engine;

    // An Image as a tile has one, loading that source.
    std::unique_ptr<QObject> image(const QUrl& source) {
        QQmlComponent component(engine.get());
        component.setData("import QtQuick\nImage { asynchronous: true; cache: false }", QUrl());
        std::unique_ptr<QObject> made(component.create());
        made->setProperty("source", source);
        return made;
    }

private slots:
    void init() {
        home = std::make_unique<TestHome>();
        engine = std::make_unique<QQmlEngine>();
        Thumbs::install(*engine);
    }
    void cleanup() {
        engine.reset();
        home.reset();
    }

    // Held ones are not made again; past capacity the cache starts afresh.
    void emptiedAsAWholePastCapacity() {
        std::atomic<int> made = 0;
        ThumbCache cache([&](const QString&, QSize bound) {
            ++made;
            return std::optional(QImage(bound, QImage::Format_RGB32));
        });
        for (int i = 0; i < ThumbCache::capacity; ++i)
            QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/%1.png").arg(i))));
        QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/7.png"))));
        QCOMPARE(made.load(), ThumbCache::capacity);
        QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/next.png"))));
        QCOMPARE(cache.size(), 1);
    }

    // A file that gives no thumbnail is asked again later, not remembered as empty.
    void noThumbnailIsNotKept() {
        int asked = 0;
        ThumbCache cache([&](const QString&, QSize) {
            ++asked;
            return std::optional<QImage>();
        });
        const QUrl url = QUrl::fromLocalFile(QStringLiteral("/f/odd.bin"));
        QVERIFY(!cache.image(url) && !cache.image(url));
        QCOMPARE(asked, 2);
        QCOMPARE(cache.size(), 0);
    }

    // Whatever the name, a picture comes back scaled into the tile; a file
    // that is no picture is an error the tile shows as its icon.
    void thumbnails_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // none: a real picture
        QTest::addColumn<int>("status");       // Image.Ready or Image.Error
        QTest::newRow("plain") << "IMG_1.png" << QByteArray() << 1;
        QTest::newRow("spaces and symbols") << "Shot 2024 #1 & 50% (2).png" << QByteArray() << 1;
        QTest::newRow("encoded-looking") << "a%41b%2F.png" << QByteArray() << 1;
        QTest::newRow("unicode") << "Café über.png" << QByteArray() << 1;
        QTest::newRow("heic, read by libheif") << "big.heic" << QByteArray() << 1;
        QTest::newRow("text") << "notes.txt" << QByteArray("notes") << 3;
        QTest::newRow("cut-off png")
            << "cut.png" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 3;
    }
    void thumbnails() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        const QString path = home->path(QStringLiteral("Desktop/") + name);
        QImage picture(800, 600, QImage::Format_RGB32);
        picture.fill(QColor(120, 160, 200));
        if (!bytes.isEmpty())
            TestFiles::write(path, bytes);
        else if (name.endsWith(QLatin1String(".heic")))
            QVERIFY(TestImages::writeHeif(path, picture, heif_compression_HEVC));
        else
            QVERIFY(picture.save(path));
        const auto shown = image(Thumbs::thumbnailUrl(QUrl::fromLocalFile(path)));
        QTRY_COMPARE(shown->property("status").toInt(), status);
        if (status == 1) QCOMPARE(shown->property("implicitWidth").toInt(), 220);
    }

    // A project folder shows the folder icon, from the theme or our own.
    void projectIcon() {
        PlanItem item;
        item.src = QUrl::fromLocalFile(QStringLiteral("/home/a/Projects/app"));
        item.kind = FileKind::project;
        QCOMPARE(Thumbs::iconUrl(item), QUrl(QStringLiteral("image://fileicon/inode/directory")));
        const auto shown = image(Thumbs::iconUrl(item));
        QTRY_COMPARE(shown->property("status").toInt(), 1);
        QVERIFY(shown->property("implicitWidth").toInt() > 0);
    }
};

QTEST_MAIN(TestThumbs)
#include "test_thumbs.moc"

#include "testfiles.h"
#include "testhome.h"
#include "testimages.h"
#include "thumbs.h"

#include <QQmlComponent>
#include <QQmlEngine>

#include <atomic>
#include <memory>

// The shared thumbnail cache and the thumbnails the tiles load.
class TestThumbs : public QObject {
    Q_OBJECT
    // One engine for all rows: Qt 6.4 can crash tearing an engine down while
    // its image reader thread is still starting.
    QQmlEngine engine;

private slots:
    void initTestCase() { Thumbs::install(engine); }

    // Held ones are not made again, a file that gave none is asked again;
    // past capacity the cache starts afresh.
    void cacheMakesEachOnce() {
        std::atomic<int> made = 0;
        ThumbCache cache([&](const QString& path, QSize bound) {
            ++made;
            return path.endsWith(QLatin1String(".bin"))
                       ? std::nullopt
                       : std::optional(QImage(bound, QImage::Format_RGB32));
        });
        const QUrl odd = QUrl::fromLocalFile(QStringLiteral("/f/odd.bin"));
        QVERIFY(!cache.image(odd) && !cache.image(odd));
        for (int i = 0; i < ThumbCache::capacity; ++i)
            QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/%1.png").arg(i))));
        QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/7.png"))));
        QCOMPARE(made.load(), ThumbCache::capacity + 2);
        QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/next.png"))));
        QCOMPARE(cache.size(), 1);
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
        TestHome home;
        const QString path = home.path(QStringLiteral("Desktop/") + name);
        QImage picture(800, 600, QImage::Format_RGB32);
        picture.fill(QColor(120, 160, 200));
        if (!bytes.isEmpty())
            TestFiles::write(path, bytes);
        else if (name.endsWith(QLatin1String(".heic")))
            QVERIFY(TestImages::writeHeif(path, picture, heif_compression_HEVC));
        else
            QVERIFY(picture.save(path));
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nImage { asynchronous: true; cache: false }", QUrl());
        const std::unique_ptr<QObject> shown(component.create());
        shown->setProperty("source", Thumbs::thumbnailUrl(QUrl::fromLocalFile(path)));
        QTRY_COMPARE(shown->property("status").toInt(), status);
        if (status == 1) QCOMPARE(shown->property("implicitWidth").toInt(), 220);
    }
};

QTEST_MAIN(TestThumbs)
#include "test_thumbs.moc"

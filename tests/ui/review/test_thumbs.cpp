#include "testhome.h"
#include "testimages.h"
#include "thumbs.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTest>

#include <atomic>
#include <memory>

// The shared thumbnail cache and the two image providers the tiles use.
class TestThumbs : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

    QString photo(const QString& name, QSize size = {800, 600}) {
        const QString path = home->path(QStringLiteral("Desktop/") + name);
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(120, 160, 200));
        if (name.endsWith(QLatin1String(".heic")))
            TestImages::writeHeif(path, image, heif_compression_HEVC);
        else
            image.save(path);
        return path;
    }

private slots:
    void init() { home = std::make_unique<TestHome>(); }
    void cleanup() { home.reset(); }

    void emptiedAsAWholePastCapacity() {
        std::atomic<int> made = 0;
        ThumbCache cache([&](const QString&, QSize bound) {
            ++made;
            return std::optional(QImage(bound, QImage::Format_RGB32));
        });
        for (int i = 0; i < 301; ++i)
            QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/%1.png").arg(i))));
        QCOMPARE(cache.size(), 301);
        // Held ones are not made again.
        QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/7.png"))));
        QCOMPARE(made.load(), 301);
        QVERIFY(cache.image(QUrl::fromLocalFile(QStringLiteral("/f/301.png"))));
        QCOMPARE(cache.size(), 1);
    }

    void noThumbnailIsNotKept() {
        int asked = 0;
        ThumbCache cache([&](const QString&, QSize) {
            ++asked;
            return std::optional<QImage>();
        });
        const QUrl url = QUrl::fromLocalFile(QStringLiteral("/f/odd.bin"));
        QVERIFY(!cache.image(url));
        QVERIFY(!cache.image(url));
        QCOMPARE(asked, 2);
        QCOMPARE(cache.size(), 0);
    }

    void sharedCacheMakesRealThumbnails_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("png") << "big.png";
        QTest::newRow("heic") << "big.heic"; // read by libheif, not by Qt
    }
    void sharedCacheMakesRealThumbnails() {
        QFETCH(QString, name);
        const QString path = photo(name, {1600, 900});
        const std::optional<QImage> image = ThumbCache::shared().image(QUrl::fromLocalFile(path));
        QVERIFY(image);
        QVERIFY(image->width() <= 220 && image->height() <= 165);
        QCOMPARE(image->width(), 220);
    }

    void urls_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "IMG_1.png";
        QTest::newRow("spaces and symbols") << "Screen Shot 2024 #1 & 50% (2).png";
        QTest::newRow("encoded-looking") << "a%41b%2F.png";
        QTest::newRow("unicode") << "Café über.png";
    }
    // Whatever the name, the provider gets the file back and loads it.
    void urls() {
        QFETCH(QString, name);
        const QString path = photo(name);
        QQmlEngine engine;
        Thumbs::install(engine);
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nImage { asynchronous: true; cache: false }", QUrl());
        std::unique_ptr<QObject> image(component.create());
        QVERIFY2(image, qPrintable(component.errorString()));
        image->setProperty("source", Thumbs::thumbnailUrl(QUrl::fromLocalFile(path)));
        QTRY_COMPARE(image->property("status").toInt(), 1 /* Image.Ready */);
        QCOMPARE(image->property("implicitWidth").toInt(), 220);
        QCOMPARE(image->property("implicitHeight").toInt(), 165);
    }

    void fileWithoutThumbnailReportsAnError() {
        const QString path = home->path(QStringLiteral("Downloads/notes.txt"));
        QFile(path).open(QIODevice::WriteOnly);
        QQmlEngine engine;
        Thumbs::install(engine);
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nImage { asynchronous: true; cache: false }", QUrl());
        std::unique_ptr<QObject> image(component.create());
        image->setProperty("source", Thumbs::thumbnailUrl(QUrl::fromLocalFile(path)));
        QTRY_COMPARE(image->property("status").toInt(), 3 /* Image.Error */);
    }

    void iconsByMimeTypeWithOurFallback_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("url");
        QTest::newRow("pdf") << "a.pdf" << int(FileKind::pdf) << "image://fileicon/application/pdf";
        QTest::newRow("photo") << "a.jpg" << int(FileKind::image) << "image://fileicon/image/jpeg";
        QTest::newRow("folder") << "Site" << int(FileKind::folder)
                                << "image://fileicon/inode/directory";
        QTest::newRow("project") << "app" << int(FileKind::project)
                                 << "image://fileicon/inode/directory";
    }
    void iconsByMimeTypeWithOurFallback() {
        QFETCH(QString, file);
        QFETCH(int, kind);
        QFETCH(QString, url);
        PlanItem item;
        item.src = QUrl::fromLocalFile(QStringLiteral("/home/a/Downloads/") + file);
        item.kind = FileKind(kind);
        QCOMPARE(Thumbs::iconUrl(item).toString(), url);

        QQmlEngine engine;
        Thumbs::install(engine);
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nImage { sourceSize: Qt.size(32, 32) }", QUrl());
        std::unique_ptr<QObject> image(component.create());
        image->setProperty("source", QUrl(url));
        QCOMPARE(image->property("status").toInt(), 1 /* Image.Ready */);
        QVERIFY(image->property("implicitWidth").toInt() > 0);
    }
};

QTEST_MAIN(TestThumbs)
#include "test_thumbs.moc"

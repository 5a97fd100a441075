#include "contactsheet.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

ScannedItem item(const QString& path) {
    ScannedItem it;
    it.url = QUrl::fromLocalFile(path);
    it.name = QFileInfo(path).fileName();
    it.kind = FileKind::image;
    return it;
}

QImage decode(const std::optional<QByteArray>& jpeg) {
    QImage image;
    if (jpeg) image.loadFromData(*jpeg, "JPG");
    return image;
}

bool near(QRgb a, QColor b, int tolerance = 24) {
    return std::abs(qRed(a) - b.red()) <= tolerance &&
           std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

template <typename T> T await(QFuture<T> future) {
    if (!QTest::qWaitFor([&] { return future.isFinished(); }, 30'000))
        qFatal("the sheet never finished");
    return future.result();
}

} // namespace

class TestContactSheet : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const QList<QColor> colours = {Qt::red,     Qt::green, Qt::blue,           Qt::yellow,
                                   Qt::magenta, Qt::cyan,  QColor(255, 128, 0)};

    QString solid(int i, QSize size = QSize(300, 200)) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colours[i % colours.size()]);
        const QString path = dir.filePath(QStringLiteral("c%1.png").arg(i));
        image.save(path);
        return path;
    }

private slots:
    void geometry_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("height");
        QTest::newRow("one") << 1 << 260;
        QTest::newRow("six") << 6 << 520;
        QTest::newRow("seven") << 7 << 520;
        QTest::newRow("twenty") << 20 << 1040;
    }
    void geometry() {
        QFETCH(int, count);
        QFETCH(int, height);
        QList<ScannedItem> items;
        for (int i = 0; i < count; ++i)
            items.append(item(solid(i)));
        const QImage sheet = decode(await(ContactSheet::make(items)));
        QCOMPARE(sheet.size(), QSize(1300, height));
        const QColor background = QColor::fromRgbF(0.86f, 0.86f, 0.86f);
        const QColor strip = QColor::fromRgbF(0.08f, 0.08f, 0.08f);
        for (int i = 0; i < count; ++i) {
            const int x = (i % 5) * 260, top = (i / 5) * 260;
            // A 300 x 200 image fills the area's width: 252 x 168, centred.
            QVERIFY2(near(sheet.pixel(x + 130, top + 116), colours[i % colours.size()]),
                     qPrintable(QString::number(i)));
            QVERIFY(near(sheet.pixel(x + 130, top + 10), background));
            QVERIFY(near(sheet.pixel(x + 2, top + 2), background));
            QVERIFY(near(sheet.pixel(x + 250, top + 258), strip));
        }
        if (count == 1)
            QVERIFY(near(sheet.pixel(800, 130), background)); // the empty rest of the row
    }

    void fallbacks() {
        QFile corrupt(dir.filePath("broken.png"));
        QVERIFY(corrupt.open(QIODevice::WriteOnly));
        corrupt.write("not an image at all");
        corrupt.close();
        QFile video(dir.filePath("empty.mp4"));
        QVERIFY(video.open(QIODevice::WriteOnly));
        video.close();
        const QString huge = solid(3, QSize(8000, 6000));
        {
            QPdfWriter pdf(dir.filePath("page.pdf"));
            QPainter painter(&pdf);
            painter.fillRect(QRect(0, 0, pdf.width(), pdf.height()), Qt::black);
        }
        const QList<ScannedItem> items{
            item(dir.filePath("broken.png")), item(dir.filePath("empty.mp4")), item(huge),
            item(dir.filePath("page.pdf")), item(dir.filePath("missing.jpg"))};
        const QImage sheet = decode(await(ContactSheet::make(items)));
        QCOMPARE(sheet.size(), QSize(1300, 260));
        const QColor background = QColor::fromRgbF(0.86f, 0.86f, 0.86f);
        QVERIFY(near(sheet.pixel(130, 116), background));        // no preview
        QVERIFY(near(sheet.pixel(260 + 130, 116), background));  // no frame
        QVERIFY(near(sheet.pixel(520 + 130, 116), Qt::yellow));  // decoded scaled
        QVERIFY(near(sheet.pixel(780 + 130, 116), Qt::black));   // the PDF's first page
        QVERIFY(near(sheet.pixel(1040 + 130, 116), background)); // missing file
        // "no preview" is written where the placeholder goes.
        bool ink = false;
        for (int x = 12; x < 100 && !ink; ++x)
            for (int y = 110; y < 140 && !ink; ++y)
                ink = !near(sheet.pixel(x, y), background, 40);
        QVERIFY(ink);
    }

    void thumbnailsAreScaledWhileDecoding() {
        const auto image = await(ContactSheet::thumbnail(solid(0, QSize(8000, 6000))));
        QVERIFY(image);
        QVERIFY(image->width() <= 250 && image->height() <= 220);
    }
};

QTEST_MAIN(TestContactSheet)
#include "test_contactsheet.moc"

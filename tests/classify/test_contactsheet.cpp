#include "contactsheet.h"
#include "testfiles.h"
#include "testimages.h"
#include "testitems.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <functional>

namespace {

const QColor background = QColor::fromRgbF(0.86f, 0.86f, 0.86f);
const QColor strip = QColor::fromRgbF(0.08f, 0.08f, 0.08f);
const QList<QColor> colours = {Qt::red,     Qt::green, Qt::blue,           Qt::yellow,
                               Qt::magenta, Qt::cyan,  QColor(255, 128, 0)};

ScannedItem item(const QString& path) {
    return TestScannedItem(path).kind(FileKind::image);
}

QImage decode(const std::optional<QByteArray>& jpeg) {
    QImage image;
    if (jpeg) image.loadFromData(*jpeg, "JPG");
    return image;
}

bool near(QRgb a, QColor b, int tolerance = 28) {
    return std::abs(qRed(a) - b.red()) <= tolerance &&
           std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// Any pixel in the rectangle darker than the background grey.
bool darkened(const QImage& sheet, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(sheet.pixel(x, y)) < background.red() - 60) return true;
    return false;
}

QImage solidImage(QColor colour, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

using TestFiles::write;

template <typename T> QByteArray le(T v) {
    QByteArray b(sizeof v, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
const auto le32 = le<quint32>;
const auto le16 = le<quint16>;

QByteArray riffChunk(const char* id, const QByteArray& body) {
    QByteArray out = QByteArray(id, 4) + le32(quint32(body.size())) + body;
    if (body.size() % 2) out.append('\0');
    return out;
}

QByteArray riffList(const char* type, const QByteArray& body) {
    return riffChunk("LIST", QByteArray(type, 4) + body);
}

// A one-second motion-JPEG AVI of one colour: a real video that any
// demuxer reads, made without an encoder.
QByteArray mjpegAvi(QColor colour, QSize size, int frames = 10) {
    const QByteArray jpeg = encoded(solidImage(colour, size), "JPG");
    const quint32 w = quint32(size.width()), h = quint32(size.height());
    const quint32 frameBytes = quint32(jpeg.size());
    const QByteArray avih = le32(100'000) + le32(frameBytes * 10) + le32(0) + le32(0x10) +
                            le32(quint32(frames)) + le32(0) + le32(1) + le32(frameBytes) + le32(w) +
                            le32(h) + QByteArray(16, '\0');
    const QByteArray strh = QByteArray("vidsMJPG") + le32(0) + le16(0) + le16(0) + le32(0) +
                            le32(1) + le32(10) + le32(0) + le32(quint32(frames)) +
                            le32(frameBytes) + le32(0xFFFFFFFF) + le32(0) + le16(0) + le16(0) +
                            le16(quint16(w)) + le16(quint16(h));
    const QByteArray strf = le32(40) + le32(w) + le32(h) + le16(1) + le16(24) + "MJPG" +
                            le32(w * h * 3) + QByteArray(16, '\0');
    QByteArray movi, index;
    for (int i = 0; i < frames; ++i) {
        index +=
            QByteArray("00dc") + le32(0x10) + le32(quint32(4 + movi.size())) + le32(frameBytes);
        movi += riffChunk("00dc", jpeg);
    }
    const QByteArray header =
        riffList("hdrl", riffChunk("avih", avih) +
                             riffList("strl", riffChunk("strh", strh) + riffChunk("strf", strf)));
    return riffChunk("RIFF", "AVI " + header + riffList("movi", movi) + riffChunk("idx1", index));
}

quint32 crc32(const QByteArray& bytes) {
    quint32 c = 0xffffffffu;
    for (const char byte : bytes) {
        c ^= quint8(byte);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

// A real 8x8 PNG whose header (with a valid checksum) claims another size.
QByteArray pngClaiming(quint32 width, quint32 height) {
    QByteArray png = encoded(solidImage(Qt::red, QSize(8, 8)), "PNG");
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    qToBigEndian(crc32(png.mid(12, 17)), png.data() + 29);
    return png;
}

} // namespace

using Maker = std::function<QString(const QTemporaryDir&)>;
Q_DECLARE_METATYPE(Maker)

class TestContactSheet : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString huge;

    QString solid(const QString& name, QColor colour, QSize size = QSize(300, 200)) {
        const QString path = dir.filePath(name);
        solidImage(colour, size).save(path);
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        // 48 megapixels: decoded at full size it would be 190 MB.
        huge = dir.filePath("huge.png");
        QVERIFY(solidImage(Qt::yellow, QSize(8000, 6000)).save(huge, "PNG", 90));
    }

    // Five tiles of 260 pixels to a row, in the order of the labels the model reads.
    void tileOrder() {
        QList<ScannedItem> items;
        for (int i = 0; i < colours.size(); ++i)
            items.append(item(solid(QStringLiteral("c%1.png").arg(i), colours[i])));
        const QImage sheet = decode(await(ContactSheet::make(items)));
        QCOMPARE(sheet.size(), QSize(1300, 520));
        for (int i = 0; i < 10; ++i) {
            const QPoint centre((i % 5) * 260 + 130, (i / 5) * 260 + 116);
            QVERIFY2(near(sheet.pixel(centre), i < colours.size() ? colours[i] : background),
                     QByteArray::number(i));
        }
    }

    void previews_data() {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QColor>("colour");
        const auto bytes = [](QString name, QByteArray content) {
            return Maker([=](const QTemporaryDir& d) {
                write(d.filePath(name), content);
                return d.filePath(name);
            });
        };
        const auto heif = [](QString name, QColor c, heif_compression_format format) {
            return Maker([=](const QTemporaryDir& d) {
                TestImages::writeHeif(d.filePath(name), solidImage(c, QSize(400, 300)), format);
                return d.filePath(name);
            });
        };
        QTest::newRow("heic") << heif("p.heic", Qt::green, heif_compression_HEVC) << true
                              << QColor(Qt::green);
        QTest::newRow("huge png, decoded scaled")
            << Maker([this](const QTemporaryDir&) { return huge; }) << true << QColor(Qt::yellow);
        QTest::newRow("pdf first page") << Maker([](const QTemporaryDir& d) {
            QPdfWriter pdf(d.filePath("page.pdf"));
            QPainter painter(&pdf);
            painter.fillRect(QRect(0, 0, pdf.width(), pdf.height()), Qt::black);
            painter.end();
            return d.filePath("page.pdf");
        }) << true << QColor(Qt::black);
        QTest::newRow("video frame")
            << bytes("clip.avi", mjpegAvi(QColor(40, 90, 200), QSize(320, 240))) << true
            << QColor(40, 90, 200);
        QTest::newRow("png claiming a million pixels square")
            << bytes("claims.png", pngClaiming(1'000'000, 1'000'000)) << false << QColor();
        QTest::newRow("video that is not one")
            << bytes("fake.mov", QByteArray(5000, 'x')) << false << QColor();
    }
    void previews() {
        QFETCH(Maker, make);
        QFETCH(bool, picture);
        QFETCH(QColor, colour);
        QTemporaryDir local;
        const QString path = make(local);
        // The tile of interest sits second, between two good ones, so the
        // numbering around it is seen not to shift.
        const QList<ScannedItem> items{item(solid("left.png", Qt::red)), item(path),
                                       item(solid("right.png", Qt::green))};
        const QImage sheet = decode(await(ContactSheet::make(items)));
        QCOMPARE(sheet.size(), QSize(1300, 260));
        QVERIFY(near(sheet.pixel(130, 116), Qt::red));
        QVERIFY(near(sheet.pixel(520 + 130, 116), Qt::green));
        QVERIFY(near(sheet.pixel(260 + 130, 116), picture ? colour : background));
        if (!picture) QVERIFY(darkened(sheet, QRect(260 + 12, 124, 80, 18))); // "no preview"
        QVERIFY(near(sheet.pixel(260 + 250, 245), strip));
    }
};

QTEST_MAIN(TestContactSheet)
#include "test_contactsheet.moc"

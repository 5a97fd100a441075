#include "contactsheet.h"
#include "testfiles.h"
#include "testimages.h"
#include "testitems.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace {

const QColor background = QColor::fromRgbF(0.86f, 0.86f, 0.86f);
const QColor strip = QColor::fromRgbF(0.08f, 0.08f, 0.08f);
const QList<QColor> colours = {Qt::red,     Qt::green, Qt::blue,           Qt::yellow,
                               Qt::magenta, Qt::cyan,  QColor(255, 128, 0)};

ScannedItem item(const QString& path) {
    return TestScannedItem(path).kind(FileKind::image);
}

ScannedItem named(const QString& name) {
    ScannedItem it;
    it.name = name;
    return it;
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

// Any pixel in the rectangle brighter than the grey it sits on.
bool inked(const QImage& sheet, QRect area, int above) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(sheet.pixel(x, y)) > above) return true;
    return false;
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

QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

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

// A real 8x8 JPEG whose frame header claims another size.
QByteArray jpegClaiming(quint16 width, quint16 height) {
    QByteArray jpeg = encoded(solidImage(Qt::red, QSize(8, 8)), "JPG");
    const qsizetype frame = jpeg.indexOf("\xff\xc0");
    qToBigEndian(height, jpeg.data() + frame + 5);
    qToBigEndian(width, jpeg.data() + frame + 7);
    return jpeg;
}

struct TileRef {
    int x;
    int top;
};

TileRef tileOf(int i) {
    return {(i % 5) * 260, (i / 5) * 260};
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

    void geometry_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("height");
        QTest::newRow("none") << 0 << 260;
        QTest::newRow("one") << 1 << 260;
        QTest::newRow("five") << 5 << 260;
        QTest::newRow("six") << 6 << 520;
        QTest::newRow("seven") << 7 << 520;
        QTest::newRow("twenty") << 20 << 1040;
        QTest::newRow("more than twenty") << 23 << 1300;
    }
    void geometry() {
        QFETCH(int, count);
        QFETCH(int, height);
        QList<ScannedItem> items;
        for (int i = 0; i < count; ++i)
            items.append(
                item(solid(QStringLiteral("c%1.png").arg(i), colours[i % colours.size()])));
        const QImage sheet = decode(await(ContactSheet::make(items)));
        QCOMPARE(sheet.size(), QSize(1300, height));
        for (int i = 0; i < count; ++i) {
            const auto [x, top] = tileOf(i);
            const QByteArray at = QByteArray::number(i);
            // 300 x 200 fills the area's width: 252 x 168, centred on (130, 116).
            QVERIFY2(near(sheet.pixel(x + 130, top + 116), colours[i % colours.size()]), at);
            QVERIFY2(near(sheet.pixel(x + 8, top + 40), colours[i % colours.size()]), at);
            QVERIFY2(near(sheet.pixel(x + 252, top + 192), colours[i % colours.size()]), at);
            QVERIFY2(near(sheet.pixel(x + 130, top + 10), background), at);
            QVERIFY2(near(sheet.pixel(x + 130, top + 222), background), at);
            QVERIFY2(near(sheet.pixel(x + 1, top + 1), background), at);
            QVERIFY2(near(sheet.pixel(x + 258, top + 100), background), at);
            QVERIFY2(near(sheet.pixel(x + 2, top + 257), strip), at);
            QVERIFY2(near(sheet.pixel(x + 257, top + 232), strip), at);
            QVERIFY2(near(sheet.pixel(x + 130, top + 226), background), at);
        }
        // Whatever is left of the sheet after the last tile stays grey.
        for (int i = count; i < (height / 260) * 5; ++i) {
            const auto [x, top] = tileOf(i);
            QVERIFY(near(sheet.pixel(x + 130, top + 116), background));
            QVERIFY(near(sheet.pixel(x + 130, top + 245), background));
        }
    }

    void fit_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("drawn"); // within the tile
        QTest::newRow("wide") << QSize(2000, 500) << QRect(4, 85, 252, 63);
        QTest::newRow("tall") << QSize(500, 2000) << QRect(102, 4, 56, 224);
        QTest::newRow("tiny, enlarged") << QSize(10, 10) << QRect(18, 4, 224, 224);
        QTest::newRow("exact") << QSize(252, 224) << QRect(4, 4, 252, 224);
    }
    void fit() {
        QFETCH(QSize, size);
        QFETCH(QRect, drawn);
        const QString path = solid(QStringLiteral("fit.png"), Qt::blue, size);
        const QImage sheet =
            decode(await(ContactSheet::make({item(solid("a.png", Qt::red)), item(path)})));
        const QRect r = drawn.translated(260, 0);
        const QRect in = r.adjusted(3, 3, -3, -3);
        for (const QPoint p : {in.topLeft(), in.topRight(), in.bottomLeft(), in.bottomRight()})
            QVERIFY2(near(sheet.pixel(p), Qt::blue),
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        const QRect out = r.adjusted(-3, -3, 3, 3);
        for (const QPoint p : {out.topLeft(), out.topRight(), out.bottomLeft(), out.bottomRight()})
            if (p.y() < 228)
                QVERIFY2(near(sheet.pixel(p), background),
                         qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }

    void previews_data() {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QColor>("colour");
        const auto image = [](QString name, QColor c, const char* format) {
            return Maker([=](const QTemporaryDir& d) {
                solidImage(c, QSize(400, 300)).save(d.filePath(name), format);
                return d.filePath(name);
            });
        };
        const auto bytes = [](QString name, QByteArray content) {
            return Maker([=](const QTemporaryDir& d) {
                write(d.filePath(name), content);
                return d.filePath(name);
            });
        };
        QTest::newRow("png") << image("p.png", Qt::red, "PNG") << true << QColor(Qt::red);
        QTest::newRow("jpeg") << image("p.jpg", Qt::green, "JPG") << true << QColor(Qt::green);
        QTest::newRow("webp") << image("p.webp", Qt::blue, "WEBP") << true << QColor(Qt::blue);
        QTest::newRow("tiff") << image("p.tif", Qt::red, "TIFF") << true << QColor(Qt::red);
        const auto heif = [](QString name, QColor c, heif_compression_format format,
                             QColor thumbnail = {}) {
            return Maker([=](const QTemporaryDir& d) {
                const QImage picture = solidImage(c, QSize(400, 300));
                const QImage small =
                    thumbnail.isValid() ? solidImage(thumbnail, picture.size()) : QImage();
                TestImages::writeHeif(d.filePath(name), picture, format, small, 320);
                return d.filePath(name);
            });
        };
        QTest::newRow("heic") << heif("p.heic", Qt::green, heif_compression_HEVC) << true
                              << QColor(Qt::green);
        QTest::newRow("avif") << heif("p.avif", Qt::blue, heif_compression_AV1) << true
                              << QColor(Qt::blue);
        QTest::newRow("heic decoded from its own thumbnail")
            << heif("t.heic", Qt::red, heif_compression_HEVC, Qt::blue) << true << QColor(Qt::blue);
        QTest::newRow("image without extension")
            << image("photo", Qt::blue, "PNG") << true << QColor(Qt::blue);
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
        QTest::newRow("corrupt png")
            << bytes("broken.png", "\x89PNG\r\n\x1a\nnot really") << false << QColor();
        QTest::newRow("png claiming a million pixels square")
            << bytes("claims.png", pngClaiming(1'000'000, 1'000'000)) << false << QColor();
        QTest::newRow("jpeg claiming 65500 pixels square")
            << bytes("claims.jpg", jpegClaiming(65'500, 65'500)) << false << QColor();
        QTest::newRow("zero-byte video") << bytes("empty.mp4", "") << false << QColor();
        QTest::newRow("video that is not one")
            << bytes("fake.mov", QByteArray(5000, 'x')) << false << QColor();
        QTest::newRow("broken pdf")
            << bytes("broken.pdf", "%PDF-1.7\n1 0 obj garbage") << false << QColor();
        QTest::newRow("text named as a photo")
            << bytes("notes.jpg", "just some words\n") << false << QColor();
        QTest::newRow("missing file")
            << Maker([](const QTemporaryDir& d) { return d.filePath("gone.png"); }) << false
            << QColor();
        QTest::newRow("folder") << Maker([](const QTemporaryDir& d) {
            QDir(d.path()).mkdir("album.png");
            return d.filePath("album.png");
        }) << false << QColor();
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
        const QRect placeholder(260 + 12, 124, 80, 18);
        if (picture) {
            QVERIFY(near(sheet.pixel(260 + 130, 116), colour));
        } else {
            QVERIFY(near(sheet.pixel(260 + 130, 116), background));
            QVERIFY(near(sheet.pixel(260 + 130, 60), background));
            QVERIFY(darkened(sheet, placeholder));                     // "no preview"
            QVERIFY(!darkened(sheet, placeholder.translated(0, -40))); // and only there
            QVERIFY(!darkened(sheet, placeholder.translated(100, 0)));
        }
        QVERIFY(near(sheet.pixel(260 + 250, 245), strip));
        QVERIFY(inked(sheet, QRect(260 + 6, 234, 30, 20), 160)); // the label is kept
    }

    void labels_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        const QString first24 = QStringLiteral("abcdefghijklmnopqrstuvwx");
        const QString a23(23, QLatin1Char('a'));
        const QString family = QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9"
                                                 "\xE2\x80\x8D\xF0\x9F\x91\xA7");
        QTest::newRow("cut after 24") << first24 + "yz.png" << first24 << true;
        QTest::newRow("the 24th is kept") << first24 << first24.left(23) + "X" << false;
        QTest::newRow("short names differ") << "a.png"
                                            << "b.png" << false;
        QTest::newRow("emoji sequence not split")
            << a23 + family + "tail.jpg" << a23 + family << true;
        QTest::newRow("emoji sequence kept whole")
            << a23 + family + "tail.jpg" << a23 + family.left(2) << false;
        QTest::newRow("accent kept")
            << a23 + QString::fromUtf8("e\xCC\x81") + "z.png" << a23 + "e" << false;
        QTest::newRow("accent not split") << a23 + QString::fromUtf8("e\xCC\x81") + "z.png"
                                          << a23 + QString::fromUtf8("e\xCC\x81") << true;
    }
    void labels() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        const QList<std::optional<QImage>> images{solidImage(Qt::red, QSize(100, 100))};
        const auto one = ContactSheet::render({named(a)}, images);
        const auto two = ContactSheet::render({named(b)}, images);
        QVERIFY(one && two);
        QCOMPARE(*one == *two, same);
    }

    void labelPlacement() {
        const QImage sheet = decode(
            ContactSheet::render({named("short.png"), named(QString(24, QLatin1Char('W')))}, {}));
        QCOMPARE(sheet.size(), QSize(1300, 260));
        // "#1 ..." begins 6 pixels into the strip, in white.
        QVERIFY(inked(sheet, QRect(6, 234, 20, 20), 200));
        QVERIFY(!inked(sheet, QRect(0, 231, 4, 28), 90));
        // Its line sits 7 pixels above the strip's bottom, clear of both edges.
        QVERIFY(inked(sheet, QRect(6, 241, 100, 8), 200));
        QVERIFY(!inked(sheet, QRect(0, 230, 260, 5), 90));
        QVERIFY(!inked(sheet, QRect(0, 255, 260, 5), 90));
        // A name too wide for its tile is clipped at the tile's edge, not
        // drawn over the empty grey beside the last tile.
        QVERIFY(inked(sheet, QRect(300, 234, 200, 20), 200));
        QVERIFY(!inked(sheet, QRect(523, 231, 60, 28), 230));
        QVERIFY(!darkened(sheet, QRect(523, 231, 60, 28)));
        QVERIFY(near(sheet.pixel(520 + 30, 245), background));
    }

    void oddNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("newline and tab") << QStringLiteral("line\none\tand two.png");
        QTest::newRow("right to left") << QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D.png");
        QTest::newRow("control characters") << QStringLiteral("a\x01\x7f\x1b[31m.png");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "x.png";
        QTest::newRow("very long") << QString(5000, QChar(0x4E00));
    }
    void oddNames() {
        QFETCH(QString, name);
        const QImage sheet = decode(ContactSheet::render({named(name)}, {}));
        QCOMPARE(sheet.size(), QSize(1300, 260));
        QVERIFY(near(sheet.pixel(250, 245), strip));
        QVERIFY(near(sheet.pixel(400, 245), background));
    }

    void thumbnails_data() {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<QSize>("size");
        QTest::newRow("huge png") << Maker([this](const QTemporaryDir&) { return huge; })
                                  << QSize(250, 188);
        QTest::newRow("small image kept as it is") << Maker([](const QTemporaryDir& d) {
            solidImage(Qt::red, QSize(40, 30)).save(d.filePath("s.png"));
            return d.filePath("s.png");
        }) << QSize(40, 30);
        QTest::newRow("a4 pdf") << Maker([](const QTemporaryDir& d) {
            QPdfWriter pdf(d.filePath("a4.pdf"));
            QPainter(&pdf).drawText(100, 100, "hello");
            return d.filePath("a4.pdf");
        }) << QSize(155, 220);
        QTest::newRow("video") << Maker([](const QTemporaryDir& d) {
            write(d.filePath("v.avi"), mjpegAvi(Qt::red, QSize(640, 480)));
            return d.filePath("v.avi");
        }) << QSize(250, 188);
    }
    void thumbnails() {
        QFETCH(Maker, make);
        QFETCH(QSize, size);
        QTemporaryDir local;
        const auto image = await(ContactSheet::thumbnail(QUrl::fromLocalFile(make(local))));
        QVERIFY(image);
        QVERIFY2(std::abs(image->width() - size.width()) <= 1 &&
                     std::abs(image->height() - size.height()) <= 1,
                 qPrintable(QStringLiteral("%1x%2").arg(image->width()).arg(image->height())));
    }

    void turnedUpright() {
        // 400 x 200 stored, left half red, marked to be shown turned a quarter
        // clockwise, as a camera held upright writes it.
        QImage stored(400, 200, QImage::Format_RGB32);
        stored.fill(Qt::blue);
        QPainter(&stored).fillRect(0, 0, 200, 200, Qt::red);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(stored.save(&buffer, "JPG", 95));
        const QByteArray tiff = QByteArray::fromHex("49492a0008000000" // little-endian header
                                                    "0100"             // one entry:
                                                    "1201030001000000" // orientation
                                                    "06000000"         // = turn clockwise
                                                    "00000000");
        const QByteArray exif = QByteArray("Exif", 4) + QByteArray(2, '\0') + tiff;
        QByteArray app1 = QByteArray::fromHex("ffe1");
        app1 += char((exif.size() + 2) >> 8);
        app1 += char((exif.size() + 2) & 0xff);
        jpeg.insert(2, app1 + exif);
        const QString path = dir.filePath("turned.jpg");
        write(path, jpeg);
        QCOMPARE(QImageReader(path).transformation(), QImageIOHandler::TransformationRotate90);
        const auto image = await(ContactSheet::thumbnail(QUrl::fromLocalFile(path)));
        QVERIFY(image);
        QCOMPARE(image->size(), QSize(110, 220));
        QVERIFY(near(image->pixel(55, 20), Qt::red));
        QVERIFY(near(image->pixel(55, 200), Qt::blue));
    }

    void noPicture() {
        QVERIFY(!await(ContactSheet::thumbnail(QUrl::fromLocalFile(dir.filePath("nothing.png")))));
        QVERIFY(!await(ContactSheet::thumbnail(QUrl())));
    }

    // Each load blocks on a pipe until the test lets it go, so the loads in
    // flight can be counted.
    void fiveLoadsAtOnce() {
        QTemporaryDir local;
        QList<ScannedItem> items;
        for (int i = 0; i < 7; ++i) {
            const QString path = local.filePath(QStringLiteral("pipe%1.png").arg(i));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            items.append(item(path));
        }
        const QFuture<std::optional<QByteArray>> sheet = ContactSheet::make(items);
        QList<int> writers(items.size(), -1);
        QList<bool> released(items.size(), false);
        int held = 0, most = 0, releases = 0;
        QElapsedTimer quiet;
        quiet.start();
        const QDeadlineTimer deadline(60'000);
        while (!sheet.isFinished() && !deadline.hasExpired()) {
            for (qsizetype i = 0; i < items.size(); ++i) {
                if (writers[i] >= 0 || released[i]) continue;
                // Opens only once a reader waits on the other end.
                writers[i] =
                    ::open(QFile::encodeName(items[i].path()).constData(), O_WRONLY | O_NONBLOCK);
                if (writers[i] < 0) continue;
                most = std::max(most, ++held);
                quiet.restart();
            }
            if (held > 0 && quiet.elapsed() > 700) {
                // Free one load first and see only one more start; then all.
                for (qsizetype i = 0; i < items.size(); ++i) {
                    if (writers[i] < 0) continue;
                    ::close(writers[i]);
                    writers[i] = -1;
                    released[i] = true;
                    --held;
                    if (releases++ == 0) break;
                }
                quiet.restart();
            }
            QThread::msleep(5);
        }
        QVERIFY(sheet.isFinished());
        QCOMPARE(most, 5);
        QCOMPARE(decode(sheet.result()).size(), QSize(1300, 520));
    }
};

QTEST_MAIN(TestContactSheet)
#include "test_contactsheet.moc"

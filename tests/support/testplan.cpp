#include "testplan.h"

#include "testfiles.h"
#include "testitems.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Each picture in its own colours, so tiles in a screenshot can be told apart.
void photo(const QString& file, int seed) {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter paint(&image);
    QLinearGradient sky(0, 0, 0, 480);
    sky.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 90, 235));
    sky.setColorAt(1, QColor::fromHsv((seed * 37 + 40) % 360, 140, 150));
    paint.fillRect(image.rect(), sky);
    paint.setBrush(QColor(255, 236, 190));
    paint.drawEllipse(QPointF(160 + (seed * 53) % 320, 170), 60, 60);
    paint.end();
    image.save(file, "JPG", 85);
}

// A one-page PDF with a coloured heading and grey lines of "text".
void document(const QString& file, int seed) {
    QPdfWriter pdf(file);
    pdf.setResolution(72);
    QPainter paint(&pdf);
    const QRect page = paint.viewport();
    paint.fillRect(QRect(0, 0, page.width(), 70), QColor::fromHsv((seed * 47) % 360, 60, 220));
    for (int line = 0; line < 18; ++line)
        paint.fillRect(40, 120 + line * 26, page.width() - 80 - (line * 7 + seed) % 5 * 60, 10,
                       QColor(200, 200, 205));
}

struct Batch {
    const char* file;
    const char* dest;
    const char* category;
    FileKind kind;
    int count;
    qint64 size; // 0: the file's own
    const char* reason;
    const char* newName = nullptr;
    int renameEvery = 1;
};

} // namespace

TestPlan::TestPlan() {
    const QString junk = QStringLiteral("Tovrin Review/To Delete - Review First/");
    const Batch batches[] = {
        {"Desktop/IMG_%1.jpg", "Projects/Pellmark/Images", "project:Pellmark", FileKind::image, 18,
         0, "A product photo for Pellmark", "Pellmark product shot %1.jpg"},
        {"Downloads/brief-%1.pdf", "Projects/Pellmark/Docs", "project:Pellmark", FileKind::pdf, 14,
         0, "A brief for the Pellmark launch"},
        {"Downloads/receipt-%1.pdf", "Personal/Finance & Receipts", "personal", FileKind::pdf, 40,
         0, "A receipt from a shop", "Receipt %1.pdf", 4},
        {"Downloads/Sans-%1.otf", "Library/Fonts", "library", FileKind::font, 9, 0,
         "A font family"},
        {"Downloads/timesheet-%1.xlsx", "Work Admin", "admin", FileKind::sheet, 22, 0,
         "A monthly timesheet"},
        {"Downloads/backup-%1.zip", "Archive/2021", "archive", FileKind::archive, 26, 0,
         "An old backup archive"},
        {"Desktop/Screenshot %1.png", "Screenshots & images", "junk", FileKind::image, 250, 180'000,
         "A screenshot nobody opened again"},
        {"Desktop/Setup-%1.dmg", "Installers", "junk", FileKind::installer, 5, 90'000'000,
         "An installer that was already used"},
        {"Desktop/movie-%1.part", "Partial downloads", "junk", FileKind::partial, 7, 2'000'000,
         "A download that never finished"},
        {"Downloads/report copy %1.pdf", "Tovrin Review/Duplicates - Review First", "duplicate",
         FileKind::pdf, 12, 0, "An exact copy of report.pdf"},
        {"Downloads/notes-%1.txt", "Tovrin Review/Needs You", "needs-you", FileKind::doc, 16, 2'000,
         "Best guess: meeting notes"},
    };
    for (const Batch& batch : batches) {
        const QString category = QString::fromUtf8(batch.category);
        const bool isJunk = category == QLatin1String("junk");
        const bool needs = category == QLatin1String("needs-you");
        for (int i = 0; i < batch.count; ++i) {
            const QString file = QDir::homePath() + u'/' + QString::fromUtf8(batch.file).arg(i + 1);
            QDir().mkpath(QFileInfo(file).absolutePath());
            if (batch.kind == FileKind::pdf)
                document(file, i);
            else if (batch.kind == FileKind::image && !isJunk)
                photo(file, i);
            else
                TestFiles::write(file, "x");
            TestPlanItem item(file, (isJunk ? junk : QString()) + QString::fromUtf8(batch.dest),
                              category);
            item.id(items.size()).kind(batch.kind).reason(QString::fromUtf8(batch.reason));
            if (batch.size) item.size(batch.size);
            if (batch.newName && i % batch.renameEvery == 0) {
                item.newName(QString::fromUtf8(batch.newName).arg(i + 1));
                ++counts.rename;
            }
            if (needs) {
                item.approved(false).confidence(QStringLiteral("low"));
                if (i < 5)
                    item.suggestedProject(QStringLiteral("Kestrel"))
                        .reason(QStringLiteral("Best guess: notes for the Kestrel pitch"));
            }
            items.append(item);
            ++(needs                                              ? counts.needs
               : isJunk || category == QLatin1String("duplicate") ? counts.junk
                                                                  : counts.organize);
        }
    }
}

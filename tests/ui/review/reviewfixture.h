#pragma once

#include "appstate.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPdfWriter>
#include <QtConcurrent>

#include <memory>

// A plan like a real refresh leaves behind, in a throw-away HOME: photos
// with real pixels, documents, renames, junk groups of several sizes (one
// past the 200 rows a group lists), duplicates and files that need the user.
// The files exist, so the state restores the plan at start-up.
class ReviewFixture {
public:
    struct Counts {
        int organize = 0;
        int rename = 0;
        int junk = 0;
        int needs = 0;
    };

    ReviewFixture() {
        photos(QStringLiteral("Projects/Pellmark/Images"), 18);
        files(QStringLiteral("Projects/Pellmark/Docs"), QStringLiteral("project:Pellmark"),
              QStringLiteral("brief-%1.pdf"), FileKind::pdf, 14, "A brief for the Pellmark launch");
        files(QStringLiteral("Personal/Finance & Receipts"), QStringLiteral("personal"),
              QStringLiteral("receipt-%1.pdf"), FileKind::pdf, 40, "A receipt from a shop");
        files(QStringLiteral("Library/Fonts"), QStringLiteral("library"),
              QStringLiteral("Sans-%1.otf"), FileKind::font, 9, "A font family");
        files(QStringLiteral("Work Admin"), QStringLiteral("admin"),
              QStringLiteral("timesheet-%1.xlsx"), FileKind::sheet, 22, "A monthly timesheet");
        files(QStringLiteral("Archive/2021"), QStringLiteral("archive"),
              QStringLiteral("backup-%1.zip"), FileKind::archive, 26, "An old backup archive");
        junk(QStringLiteral("Screenshots & images"), QStringLiteral("Screenshot %1.png"),
             FileKind::image, 250, 180'000, "A screenshot nobody opened again");
        junk(QStringLiteral("Installers"), QStringLiteral("Setup-%1.dmg"), FileKind::installer, 5,
             90'000'000, "An installer that was already used");
        junk(QStringLiteral("Partial downloads"), QStringLiteral("movie-%1.part"),
             FileKind::partial, 7, 2'000'000, "A download that never finished");
        files(QStringLiteral("Tovrin Review/Duplicates - Review First"),
              QStringLiteral("duplicate"), QStringLiteral("report copy %1.pdf"), FileKind::pdf, 12,
              "An exact copy of report.pdf");
        needs(16);
    }

    TestHome home;
    QList<PlanItem> plan;
    Counts counts;

    QString path(const QString& relative) const { return home.path(relative); }
    // The item of this id as the state holds it now.
    static const PlanItem* find(const QList<PlanItem>& plan, qint64 id) {
        for (const PlanItem& item : plan)
            if (item.id == id) return &item;
        return nullptr;
    }

    AppServices services() const {
        AppServices s;
        s.send = [](const QString&, const QString&, const QString&, const QJsonArray&, int) {
            return QtFuture::makeReadyFuture(Model::Answer(QStringLiteral("OK")));
        };
        s.settingsPath = home.path(QStringLiteral(".config/Tovrin/Tovrin.conf"));
        return s;
    }

    // Writes the plan as the pending plan and starts a state that restores it.
    std::unique_ptr<AppState> start() const {
        Store::savePlan(plan);
        return std::make_unique<AppState>(services());
    }

private:
    TestPlanItem add(const QString& file, const QString& dest, const QString& category,
                     FileKind kind, qint64 size, const char* reason) {
        return TestPlanItem(file, dest, category)
            .id(plan.size())
            .reason(QString::fromUtf8(reason))
            .kind(kind)
            .size(size)
            .approved(category != QLatin1String("needs-you"));
    }

    // A one-page PDF with a heading and lines of "text", so its tile shows a page.
    static void document(const QString& file, const QString& title, int seed) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QPdfWriter pdf(file);
        pdf.setResolution(72);
        QPainter paint(&pdf);
        const QRect page = paint.viewport();
        paint.fillRect(QRect(0, 0, page.width(), 70), QColor::fromHsv((seed * 47) % 360, 60, 220));
        QFont font = paint.font();
        font.setPixelSize(28);
        font.setBold(true);
        paint.setFont(font);
        paint.drawText(QRect(40, 100, page.width() - 80, 50), Qt::AlignLeft, title);
        paint.setPen(Qt::NoPen);
        paint.setBrush(QColor(200, 200, 205));
        for (int line = 0; line < 18; ++line)
            paint.drawRect(40, 180 + line * 26, page.width() - 80 - ((line * 7 + seed) % 5) * 60,
                           10);
    }

    // Real photos: gradients with a sun, each in its own colours, so the
    // thumbnails in the screenshots can be told apart.
    void photos(const QString& dest, int n) {
        for (int i = 0; i < n; ++i) {
            const QString file = home.path(QStringLiteral("Desktop/IMG_%1.jpg").arg(4800 + i));
            QImage image(640, 480, QImage::Format_RGB32);
            QPainter paint(&image);
            QLinearGradient sky(0, 0, 0, 480);
            sky.setColorAt(0, QColor::fromHsv((i * 37) % 360, 90, 235));
            sky.setColorAt(1, QColor::fromHsv((i * 37 + 40) % 360, 140, 150));
            paint.fillRect(image.rect(), sky);
            paint.setBrush(QColor(255, 236, 190));
            paint.setPen(Qt::NoPen);
            paint.drawEllipse(QPointF(160 + (i * 53) % 320, 170), 60, 60);
            paint.setBrush(QColor::fromHsv((i * 37 + 180) % 360, 80, 90));
            paint.drawRect(0, 360 - (i % 5) * 12, 640, 200);
            paint.end();
            QDir().mkpath(QFileInfo(file).absolutePath());
            image.save(file, "JPG", 85);
            plan.append(add(file, dest, QStringLiteral("project:Pellmark"), FileKind::image,
                            QFileInfo(file).size(), "A product photo for Pellmark")
                            .newName(QStringLiteral("Pellmark product shot %1.jpg").arg(i + 1)));
            ++counts.organize;
            ++counts.rename;
        }
    }

    void files(const QString& dest, const QString& category, const QString& pattern, FileKind kind,
               int n, const char* reason) {
        const bool duplicate = category == QLatin1String("duplicate");
        for (int i = 0; i < n; ++i) {
            const QString file = home.path(QStringLiteral("Downloads/") + pattern.arg(i + 1));
            if (kind == FileKind::pdf)
                document(file, QString::fromUtf8(reason), i);
            else
                TestFiles::write(file, "x");
            TestPlanItem item = add(file, dest, category, kind, 40'000 + 1'000 * i, reason);
            // Every fourth receipt had a meaningless name.
            if (category == QLatin1String("personal") && i % 4 == 0) {
                item.newName(QStringLiteral("Receipt %1.pdf").arg(i + 1));
                ++counts.rename;
            }
            plan.append(item);
            ++(duplicate ? counts.junk : counts.organize);
        }
    }

    void junk(const QString& sub, const QString& pattern, FileKind kind, int n, qint64 size,
              const char* reason) {
        for (int i = 0; i < n; ++i) {
            const QString file = home.path(QStringLiteral("Desktop/") + pattern.arg(i + 1));
            TestFiles::write(file, "x");
            plan.append(add(file, QStringLiteral("Tovrin Review/To Delete - Review First/") + sub,
                            QStringLiteral("junk"), kind, size, reason));
            ++counts.junk;
        }
    }

    void needs(int n) {
        for (int i = 0; i < n; ++i) {
            const QString file = home.path(QStringLiteral("Downloads/notes-%1.txt").arg(i + 1));
            TestFiles::write(file, "x");
            TestPlanItem item = add(file, QStringLiteral("Tovrin Review/Needs You"),
                                    QStringLiteral("needs-you"), FileKind::doc, 2'000 + i,
                                    i < 5 ? "Best guess: notes for the Kestrel pitch"
                                          : "Best guess: meeting notes");
            item.confidence(QStringLiteral("low"));
            if (i < 5) item.suggestedProject(QStringLiteral("Kestrel"));
            plan.append(item);
            ++counts.needs;
        }
    }
};

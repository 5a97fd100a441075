#include "testitems.h"

#include <QDir>
#include <QFileInfo>

namespace {

QUrl under(const QString& path) {
    return QUrl::fromLocalFile(QDir::isAbsolutePath(path) ? path : QDir::homePath() + u'/' + path);
}

} // namespace

TestPlanItem::TestPlanItem(const QString& src, const QString& dest, const QString& category) {
    item_.src = under(src);
    item_.destFolder = dest;
    item_.category = category;
    item_.confidence = QStringLiteral("high");
    item_.reason = QStringLiteral("test");
    // A real file's own size, as the scanner would have seen it.
    item_.size = QFileInfo(item_.src.toLocalFile()).size();
    item_.approved = true;
    item_.renameApproved = true;
}

TestScannedItem::TestScannedItem(const QString& path) {
    item_.url = under(path);
    item_.name = QFileInfo(path).fileName();
    item_.ext = QFileInfo(path).suffix().toLower();
    item_.modified = QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
}

TestScannedItem& TestScannedItem::kind(FileKind kind) {
    item_.kind = kind;
    item_.isDir = kind == FileKind::folder;
    if (item_.isDir) item_.ext.clear();
    return *this;
}

Project project(const QString& name, const QString& aliases) {
    Project p;
    p.name = name;
    p.aliases = aliases;
    return p;
}

#pragma once

#include "records.h"

// Records for tests with named fields: a test spells out only what it is
// about, the rest holds values any real record could have. A relative path
// lies under HOME.
class TestPlanItem {
public:
    explicit TestPlanItem(const QString& src, const QString& dest = QStringLiteral("Personal"),
                          const QString& category = QStringLiteral("personal"));

    TestPlanItem& id(qint64 id) { return set(&PlanItem::id, id); }
    TestPlanItem& dest(const QString& folder) { return set(&PlanItem::destFolder, folder); }
    TestPlanItem& category(const QString& category) { return set(&PlanItem::category, category); }
    TestPlanItem& confidence(const QString& level) { return set(&PlanItem::confidence, level); }
    TestPlanItem& reason(const QString& reason) { return set(&PlanItem::reason, reason); }
    TestPlanItem& newName(const QString& name) { return set(&PlanItem::newName, name); }
    TestPlanItem& kind(FileKind kind) { return set(&PlanItem::kind, kind); }
    TestPlanItem& size(qint64 bytes) { return set(&PlanItem::size, bytes); }
    TestPlanItem& approved(bool approved) { return set(&PlanItem::approved, approved); }
    TestPlanItem& refused() { return set(&PlanItem::refused, true); }
    TestPlanItem& renameApproved(bool approved) { return set(&PlanItem::renameApproved, approved); }
    TestPlanItem& suggestedProject(const QString& name) {
        return set(&PlanItem::suggestedProject, name);
    }

    operator PlanItem() const { return item_; }

private:
    template <typename T, typename V> TestPlanItem& set(T PlanItem::*field, const V& value) {
        item_.*field = value;
        return *this;
    }
    PlanItem item_;
};

class TestScannedItem {
public:
    explicit TestScannedItem(const QString& path);

    TestScannedItem& id(qint64 id) { return set(&ScannedItem::id, id); }
    // A folder has no extension.
    TestScannedItem& kind(FileKind kind);
    TestScannedItem& size(qint64 bytes) { return set(&ScannedItem::size, bytes); }
    TestScannedItem& modified(const QDateTime& at) { return set(&ScannedItem::modified, at); }
    TestScannedItem& text(const QString& sample) { return set(&ScannedItem::text, sample); }

    operator ScannedItem() const { return item_; }

private:
    template <typename T, typename V> TestScannedItem& set(T ScannedItem::*field, const V& value) {
        item_.*field = value;
        return *this;
    }
    ScannedItem item_;
};

// A project the user named, with its other names.
Project project(const QString& name, const QString& aliases = {});

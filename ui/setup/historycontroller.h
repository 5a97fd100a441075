#pragma once

#include "rowsmodel.h"
#include "viewcontroller.h"

#include <QObject>
#include <QString>
#include <QtQml/qqml.h>

// The past applies and what undoing one of them would do, as the history
// window shows them. The newest apply is chosen until the user picks another.
class HistoryController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    // Rows of log, when, counts, folder, undone, readable; newest first.
    Q_PROPERTY(QAbstractListModel* entries READ entries CONSTANT)
    Q_PROPERTY(QString selected READ selected WRITE select NOTIFY selectedChanged)
    // Rows of name, now, back, reason, goes, canPutBack, to: the chosen
    // apply's files in the order the undo takes them.
    Q_PROPERTY(QAbstractListModel* preview READ preview CONSTANT)
    Q_PROPERTY(int going READ going NOTIFY previewChanged)
    Q_PROPERTY(int staying READ staying NOTIFY previewChanged)
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY previewChanged)
    // The state's one-line message: what the last undo or put back did.
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)

public:
    using ViewController::ViewController;

    QAbstractListModel* entries() { return &entries_; }
    QString selected() const { return selected_; }
    void select(const QString& log);
    QAbstractListModel* preview() { return &preview_; }
    int going() const;
    int staying() const;
    bool canUndo() const;
    QString message() const;

    Q_INVOKABLE void undoSelected();
    Q_INVOKABLE void putBack(const QString& to);
    Q_INVOKABLE void showLogFiles() const;

signals:
    void selectedChanged();
    void previewChanged();
    void messageChanged();

private:
    void followState(AppState* state) override;
    void readEntries();
    void readPreview();
    const HistoryEntry* entry() const;
    QList<ReturnStep> steps() const;

    QString selected_;
    RowsModel entries_{{"log", "when", "counts", "folder", "undone", "readable"}};
    RowsModel preview_{{"name", "now", "back", "reason", "goes", "canPutBack", "to"}};
};

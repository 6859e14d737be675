#pragma once

#include "platform/db/recordset.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>

class QWidget;

namespace Dao {
class Database;
}

// A form's data control: a database name and a record source (a table, a stored query or SQL
// text in Jet's dialect) opened as a dynaset, with boxes bound to the fields of its current row.
// Moving off a row, Refresh, AddNew, UpdateRecord and Close write a changed (or started) row
// first, as the classic data control does, and every such write first raises Validate: the
// form's checks decide whether the row may be written, on every way it is written. A control
// destroyed while open writes nothing. Values typed into the boxes travel to the database as
// bound values, never as SQL text.
class DataControl : public QObject
{
    Q_OBJECT
public:
    explicit DataControl(QObject *parent = nullptr);
    ~DataControl() override;

    void setDatabaseName(const QString &path);
    QString DatabaseName() const { return m_databaseName; }
    void setRecordSource(const QString &source);
    QString RecordSource() const { return m_recordSource; }
    // Opens read-only (a snapshot) instead of a dynaset; changes in the boxes are never written.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool ReadOnly() const { return m_readOnly; }

    // The operations below that leave the current row write a pending change first. Each
    // answers false when Validate refused that write: the control then stays on its row with
    // the change in the boxes, and nothing else happens.

    // (Re)opens the record source at its first row and fills the bound boxes. Throws
    // Dao::DbError when the database or the source cannot be opened.
    bool Refresh();
    // The open recordset; nullptr before the first Refresh and after Close.
    Dao::Recordset *Recordset() const { return m_recordset.get(); }
    bool isOpen() const { return m_recordset != nullptr; }

    // Moves as the recordset does and refills the bound boxes.
    bool MoveFirst();
    bool MoveNext();
    bool MovePrevious();
    bool MoveLast();
    // Finds the first row matching a criteria text ("[Bookingnr]=12", "lokalenr = 7"); without a
    // match the row stays and Recordset()->NoMatch() is true.
    bool FindFirst(const QString &criteria);
    // Starts a new row: the bound boxes show the new row (empty but for values code set through
    // Recordset()->SetField). The row is written by UpdateRecord, on moving off it or on Close,
    // even when nothing was typed; CancelUpdate drops it.
    bool AddNew();
    // Writes the bound boxes' changed values into the current (or new) row now; a new row then
    // becomes the current one, showing the key the database gave it.
    bool UpdateRecord();
    // Drops changes in the bound boxes (and a new row being added) and reloads them from the row.
    void CancelUpdate();
    // Reloads the bound boxes from the current row, dropping typed changes; a row being added
    // stays in adding mode.
    void UpdateControls();
    // True while a bound box holds a change not yet written.
    bool isDirty() const;
    // True while a row is being added or a bound box holds a change: the row a write would store.
    bool hasPending() const;
    // True while the control fills its boxes from a row: a box's change signal is then no edit.
    bool isFilling() const { return m_filling; }
    // Writes a pending change and closes the recordset and the connection. When Validate
    // refuses the write (false) or the write fails (the DbError passes on), the control stays
    // open with the change kept, so a form can show why and let the user correct or cancel it.
    bool Close();

    // The current row's value of a field; a null QVariant with no current row.
    QVariant value(const QString &field) const;
    bool hasCurrentRow() const;

    // The current row's position, 0 for the first row; -1 with no current row.
    int position() const;
    // Makes the row at this position current (writing a pending change first) and refills the
    // bound boxes; a position past the end leaves no current row.
    bool moveTo(int position);
    // The values of these fields of every row, in the recordset's order; the current row stays.
    // Empty while closed or while a row is being added or edited.
    QList<QVariantList> rowValues(const QStringList &fields);

    // Binds a box to a field: QLineEdit, QPlainTextEdit, QTextEdit, QCheckBox, QComboBox (its
    // text), QLabel (read-only; a picture for a binary field), DEdit (value), or any widget with
    // a USER property and its notify signal (a DBList: its BoundText). Only boxes whose value
    // changed, by the user or by code, are written.
    void bind(QWidget *box, const QString &field);
    void unbind(QWidget *box);
    QString boundField(QWidget *box) const;

signals:
    // The current row changed (after a move, a find, a refresh).
    void Reposition();
    // The record source was opened again: lists bound to this control refill.
    void Refreshed();
    // Raised before a pending row is written, by whichever operation writes it; set cancel to
    // keep it unwritten (the operation then does not happen and the change stays).
    void Validate(bool &cancel);
    // Raised after a pending row was written; key is the stored row's key, added tells a new
    // row. A form that keeps rows of its own beside it (a membership) writes them here.
    void Written(const QVariant &key, bool added);

private:
    struct Binding
    {
        QPointer<QWidget> box;
        QString field;
        bool changed = false;
        QMetaObject::Connection connection;
    };
    // Writes a pending change; false when Validate cancelled it.
    bool writePending();
    void writeRow();
    void fillBoxes();
    void boxChanged(QWidget *box);
    void clearChanged();
    void requireOpen() const;
    void afterMove();
    QVariant boxValue(QWidget *box) const;
    void setBoxValue(QWidget *box, const QVariant &value);

    QString m_databaseName;
    QString m_recordSource;
    bool m_readOnly = false;
    bool m_filling = false;
    std::unique_ptr<Dao::Database> m_db;
    std::unique_ptr<Dao::Recordset> m_recordset;
    QList<Binding> m_bindings;
};

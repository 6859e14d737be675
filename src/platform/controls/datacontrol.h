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
// Moving off a row, Refresh and Close write a changed row first, as the classic data control does.
// Values typed into the boxes travel to the database as bound values, never as SQL text.
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

    // Writes a pending change, (re)opens the record source at its first row and fills the bound
    // boxes. Throws Dao::DbError when the database or the source cannot be opened.
    void Refresh();
    // The open recordset; nullptr before the first Refresh and after Close.
    Dao::Recordset *Recordset() const { return m_recordset.get(); }
    bool isOpen() const { return m_recordset != nullptr; }

    // Moves as the recordset does (writing a pending change first) and refills the bound boxes.
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    // Finds the first row matching a criteria text ("[Bookingnr]=12", "lokalenr = 7"); without a
    // match the row stays and Recordset()->NoMatch() is true.
    void FindFirst(const QString &criteria);
    // Starts a new row: the bound boxes show the new row (empty but for values code set through
    // Recordset()->SetField). The row is written by UpdateRecord, on moving off it or on Close,
    // even when nothing was typed; CancelUpdate drops it.
    void AddNew();
    // Writes the bound boxes' changed values into the current (or new) row now; a new row then
    // becomes the current one, showing the key the database gave it.
    void UpdateRecord();
    // Drops changes in the bound boxes (and a new row being added) and reloads them from the row.
    void CancelUpdate();
    // Reloads the bound boxes from the current row, dropping typed changes; a row being added
    // stays in adding mode.
    void UpdateControls();
    // True while a bound box holds a change not yet written.
    bool isDirty() const;
    // True while the control fills its boxes from a row: a box's change signal is then no edit.
    bool isFilling() const { return m_filling; }
    // Writes a pending change and closes the recordset and the connection. When the write
    // fails the DbError passes on and the control stays open with the change kept, so a form
    // can show the error and let the user correct or cancel it.
    void Close();

    // The current row's value of a field; a null QVariant with no current row.
    QVariant value(const QString &field) const;
    bool hasCurrentRow() const;

    // The current row's position, 0 for the first row; -1 with no current row.
    int position() const;
    // Makes the row at this position current (writing a pending change first) and refills the
    // bound boxes; a position past the end leaves no current row.
    void moveTo(int position);
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
    // Raised before a move, a find, AddNew, Refresh or Close writes a changed row; set cancel
    // to keep it unwritten: a move, find, AddNew or Refresh then does not happen and the
    // change stays in the boxes; Close drops it. UpdateRecord raises no Validate.
    void Validate(bool &cancel);

private:
    struct Binding
    {
        QPointer<QWidget> box;
        QString field;
        bool changed = false;
        QMetaObject::Connection connection;
    };
    void closeControl(bool validate);
    bool hasPending() const;
    // Writes a pending change; false when Validate cancelled it.
    bool writePending(bool validate);
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

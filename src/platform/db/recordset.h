#pragma once

#include "platform/db/database.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace Dao {

enum class EditMode { None, Edit, AddNew };

// DAO's recordset over a table, a stored query or SQL text.
// Field values are QVariant: a Null field is a null QVariant; integers are qlonglong, reals
// double, texts QString, Booleans (declared BOOLEAN/BIT/YESNO) bool, date-times (declared
// DATETIME/DATE) QDateTime, pictures (BLOB) QByteArray.
class Recordset
{
public:
    virtual ~Recordset() = default;

    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual void MovePrevious() = 0;
    virtual void MoveLast() = 0;
    virtual bool EOF_() const = 0;     // past the last row (also when empty)
    virtual bool BOF() const = 0;      // before the first row (also when empty)
    // Table: the table's row count now. Dynaset and Snapshot: every row the recordset holds
    // (all are known once it is open, so the count is exact without MoveLast). ForwardOnly:
    // the rows reached so far.
    virtual int RecordCount() = 0;
    virtual int AbsolutePosition() const = 0;

    // Field access by name (case-blind) or by position. Reading past EOF throws DbError.
    virtual QVariant Field(const QString &name) const = 0;
    virtual QVariant Field(int index) const = 0;
    virtual void SetField(const QString &name, const QVariant &value) = 0;
    virtual int FieldCount() const = 0;
    virtual QString FieldName(int index) const = 0;
    virtual bool HasField(const QString &name) const = 0;

    virtual void Edit() = 0;
    virtual void AddNew() = 0;
    virtual void Update() = 0;        // stores the edited or new row; throws DbError on failure
    virtual void CancelUpdate() = 0;
    virtual void Delete() = 0;        // deletes the current row
    virtual EditMode editMode() const = 0;
    virtual bool Updatable() const = 0;

    // Seek on an index; the only index is "Primarykey" (Table recordsets only).
    virtual void SetIndex(const QString &index) = 0;
    virtual void Seek(const QString &comparison, const QVariant &key) = 0;
    // Find in the rows of the recordset with a criteria text such as "[Bookingnr]=12" or
    // "lokalenr = 7" (Dynaset and Snapshot). FindFirst searches from the first row, FindNext
    // from the row after the current one; without a match NoMatch is true and the current row
    // stays as it was.
    virtual void FindFirst(const QString &criteria) = 0;
    virtual void FindNext(const QString &criteria) = 0;
    virtual bool NoMatch() const = 0;

    virtual void Requery() = 0;
    virtual void Close() = 0;

    // The key of the row that the last Update stored (a new row after AddNew): the primary key
    // of a table (its rowid when it has none), the first column of a stored query. Null before
    // any Update.
    virtual QVariant LastModifiedKey() const = 0;
    // Makes that row the current one (DAO's "Bookmark = LastModified").
    virtual void MoveToLastModified() = 0;

    // Convenience for "Field(name)" as a typed value with a default for Null.
    QString text(const QString &name) const { return Field(name).toString(); }
    qlonglong integer(const QString &name) const { return Field(name).toLongLong(); }
};

} // namespace Dao

#pragma once

#include "platform/db/recordset.h"
#include "platform/db/sqlvalue.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct sqlite3;
struct sqlite3_stmt;

namespace Dao {

// A table or stored query (view) of the file, as the recordsets need to know it.
struct ObjectInfo
{
    bool found = false;
    bool isView = false;
    QString name;          // as the file spells it
    QStringList columns;
    // The key that rows are kept and written by: a table's single-column primary key, else its
    // rowid; a view's first column. Empty when there is none (a composite key without rowid).
    QString key;
    bool keyIsRowid = false;   // the rowid itself or an INTEGER PRIMARY KEY
    bool hasTriggers = false;  // a view with INSTEAD OF triggers can be written through

    QString keyExpression() const;   // "rowid" or the quoted key column
};

// Looks a table or view up by name, case-blind as SQLite.
ObjectInfo describeObject(sqlite3 *db, const QString &name);

// One field of a recordset.
struct Column
{
    QString name;
    QString table;       // the table the value comes from, when it is a plain column
    FieldKind kind = FieldKind::Unknown;
    QString writeName;   // the column of the written table or view; empty: cannot be written
};

// Where a writable recordset writes: a table keyed by its key, or a view keyed by its first
// column through the view's INSTEAD OF triggers.
struct WriteTarget
{
    QString name;              // empty: read-only
    bool isView = false;
    QString keyExpression;     // "rowid" or a quoted column
    bool keyIsRowid = false;
    FieldKind keyKind = FieldKind::Unknown;
    int keyField = -1;         // the key's position among the fields; -1 when not among them
};

// What every recordset kind shares: fields, the edit buffer, writes, the connection.
class RecordsetBase : public Recordset
{
public:
    RecordsetBase(Database &db, RecordsetType type);
    ~RecordsetBase() override;

    QVariant Field(const QString &name) const override;
    QVariant Field(int index) const override;
    void SetField(const QString &name, const QVariant &value) override;
    int FieldCount() const override { return int(m_columns.size()); }
    QString FieldName(int index) const override;
    bool HasField(const QString &name) const override { return fieldIndex(name) >= 0; }

    void Edit() override;
    void AddNew() override;
    void Update() override;
    void CancelUpdate() override;
    void Delete() override;
    EditMode editMode() const override { return m_editMode; }
    bool Updatable() const override { return !m_target.name.isEmpty(); }

    void SetIndex(const QString &index) override;
    void Seek(const QString &comparison, const QVariant &key) override;
    void FindFirst(const QString &criteria) override;
    void FindNext(const QString &criteria) override;
    bool NoMatch() const override { return m_noMatch; }

    QVariant LastModifiedKey() const override { return m_lastModified; }
    void Close() override;

    RecordsetType type() const { return m_type; }
    // Called by the connection as it closes: statements go, the recordset is closed.
    void detachFromDatabase();

protected:
    // The values of the current row; nullptr when there is none.
    virtual const QVector<QVariant> *currentValues() const = 0;
    virtual bool currentDeleted() const { return false; }
    virtual QVariant currentKey() const = 0;
    // After a stored edit, a stored new row and a delete of the current row.
    virtual void rowEdited(const QVariant &key, const QVector<QVariant> &values) = 0;
    virtual void rowAdded(const QVariant &key, const QVector<QVariant> &values) = 0;
    virtual void rowDeleted() = 0;
    virtual void releaseStatements() = 0;

    sqlite3 *db() const;   // throws DbError when closed
    Database &database() const;
    void checkOpen() const;
    // Fields of a prepared statement from column `first` on; writable columns follow target.
    void describeColumns(sqlite3_stmt *stmt, int first, const ObjectInfo *target);
    QVector<QVariant> readRow(sqlite3_stmt *stmt, int first) const;
    void discardEdit();   // moving off a row drops an unsaved edit, as DAO does
    void requireCurrent() const;
    QVariant normalized(const QVariant &value, FieldKind kind) const;
    static DbError notSupported();
    static DbError noCurrentRecord();

    QVector<Column> m_columns;
    WriteTarget m_target;
    bool m_noMatch = false;
    QVariant m_lastModified;

private:
    int fieldIndex(const QString &name) const;
    int requireField(const QString &name) const;
    void requireWritable() const;
    void writeUpdate(const QVariant &key);
    QVariant writeInsert();
    void writeDelete(const QVariant &key);

    Database *m_db = nullptr;
    RecordsetType m_type;
    bool m_closed = false;
    EditMode m_editMode = EditMode::None;
    QVector<QVariant> m_buffer;
    QVector<bool> m_dirty;
};

} // namespace Dao

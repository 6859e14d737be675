#include "platform/db/recordsetbase.h"

#include "platform/db/jetsql.h"
#include "platform/db/statement.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <cmath>

namespace Dao {

QString ObjectInfo::keyExpression() const
{
    if (key.compare("rowid", Qt::CaseInsensitive) == 0 && keyIsRowid && !columns.contains(key))
        return QStringLiteral("rowid");
    return JetSql::quoteName(key);
}

ObjectInfo describeObject(sqlite3 *db, const QString &name)
{
    ObjectInfo info;
    if (name.isEmpty() || name.contains('\n'))
        return info;
    Statement find(db, "SELECT name, type, sql FROM sqlite_schema "
                       "WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE");
    find.bind(1, name);
    if (!find.step())
        return info;
    info.found = true;
    info.name = find.value(0).toString();
    info.isView = find.value(1).toString() == "view";
    const bool withoutRowid = find.value(2).toString().contains(
        QRegularExpression("WITHOUT\\s+ROWID", QRegularExpression::CaseInsensitiveOption));
    find.finalize();

    Statement columns(db, "SELECT name, type, pk FROM pragma_table_info(?1)");
    columns.bind(1, info.name);
    QStringList keys;
    QString keyType;
    while (columns.step()) {
        const QString column = columns.value(0).toString();
        info.columns.append(column);
        if (columns.value(2).toInt() > 0) {
            keys.append(column);
            keyType = columns.value(1).toString();
        }
    }
    if (info.isView) {
        if (!info.columns.isEmpty())
            info.key = info.columns.first();
        Statement triggers(db, "SELECT count(*) FROM sqlite_schema "
                               "WHERE type = 'trigger' AND tbl_name = ?1 COLLATE NOCASE");
        triggers.bind(1, info.name);
        triggers.step();
        info.hasTriggers = triggers.value(0).toInt() > 0;
    } else if (keys.size() == 1) {
        info.key = keys.first();
        info.keyIsRowid = !withoutRowid && keyType.compare("INTEGER", Qt::CaseInsensitive) == 0;
    } else if (!withoutRowid) {
        info.key = QStringLiteral("rowid");
        info.keyIsRowid = true;
    }
    return info;
}

RecordsetBase::RecordsetBase(Database &db, RecordsetType type) : m_db(&db), m_type(type)
{
    db.attach(this);
}

RecordsetBase::~RecordsetBase()
{
    if (m_db)
        m_db->detach(this);
}

sqlite3 *RecordsetBase::db() const
{
    checkOpen();
    return m_db->handle();
}

Database &RecordsetBase::database() const
{
    checkOpen();
    return *m_db;
}

void RecordsetBase::checkOpen() const
{
    if (m_closed || !m_db || !m_db->isOpen())
        throw DbError("Object invalid or no longer set (the recordset is closed).", 3420);
}

void RecordsetBase::detachFromDatabase()
{
    releaseStatements();
    m_db = nullptr;
    m_closed = true;
    m_editMode = EditMode::None;
}

void RecordsetBase::Close()
{
    if (m_closed)
        return;
    releaseStatements();
    if (m_db)
        m_db->detach(this);
    m_db = nullptr;
    m_closed = true;
    m_editMode = EditMode::None;
}

DbError RecordsetBase::notSupported()
{
    return DbError("Operation is not supported for this type of object.", 3251);
}

DbError RecordsetBase::noCurrentRecord() { return DbError("No current record.", 3021); }

int RecordsetBase::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    // "table.field" names the field of that table.
    const int dot = int(name.lastIndexOf('.'));
    if (dot > 0) {
        const QString table = name.left(dot);
        const QString field = name.mid(dot + 1);
        for (int i = 0; i < m_columns.size(); ++i)
            if (m_columns[i].name.compare(field, Qt::CaseInsensitive) == 0
                && m_columns[i].table.compare(table, Qt::CaseInsensitive) == 0)
                return i;
    }
    return -1;
}

int RecordsetBase::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QString("Item not found in this collection: no field '%1'.").arg(name),
                      3265);
    return i;
}

void RecordsetBase::requireCurrent() const
{
    checkOpen();
    if (!currentValues())
        throw noCurrentRecord();
    if (currentDeleted())
        throw DbError("Record is deleted.", 3167);
}

void RecordsetBase::requireWritable() const
{
    checkOpen();
    if (m_target.name.isEmpty())
        throw DbError("Cannot update. Database or object is read-only.", 3027);
}

QString RecordsetBase::FieldName(int index) const
{
    if (index < 0 || index >= m_columns.size())
        throw DbError(QString("Item not found in this collection: no field %1.").arg(index), 3265);
    return m_columns[index].name;
}

QVariant RecordsetBase::Field(const QString &name) const
{
    return Field(requireField(name));
}

QVariant RecordsetBase::Field(int index) const
{
    if (index < 0 || index >= m_columns.size())
        throw DbError(QString("Item not found in this collection: no field %1.").arg(index), 3265);
    if (m_editMode != EditMode::None)
        return m_buffer.value(index);
    requireCurrent();
    return currentValues()->value(index);
}

QVariant RecordsetBase::normalized(const QVariant &value, FieldKind kind) const
{
    return convertForKind(value, kind);
}

void RecordsetBase::SetField(const QString &name, const QVariant &value)
{
    checkOpen();
    const int i = requireField(name);
    if (m_editMode == EditMode::None)
        throw DbError("Update or CancelUpdate without AddNew or Edit.", 3020);
    if (m_columns[i].writeName.isEmpty())
        throw DbError(QString("Field '%1' cannot be updated.").arg(name), 3164);
    m_buffer[i] = normalized(value, m_columns[i].kind);
    m_dirty[i] = true;
}

void RecordsetBase::Edit()
{
    requireWritable();
    requireCurrent();
    m_buffer = *currentValues();
    m_dirty = QVector<bool>(m_columns.size(), false);
    m_editMode = EditMode::Edit;
}

void RecordsetBase::AddNew()
{
    requireWritable();
    m_buffer = QVector<QVariant>(m_columns.size());
    m_dirty = QVector<bool>(m_columns.size(), false);
    m_editMode = EditMode::AddNew;
}

void RecordsetBase::CancelUpdate()
{
    m_editMode = EditMode::None;
    m_buffer.clear();
    m_dirty.clear();
}

void RecordsetBase::discardEdit() { CancelUpdate(); }

void RecordsetBase::Update()
{
    checkOpen();
    if (m_editMode == EditMode::None)
        throw DbError("Update or CancelUpdate without AddNew or Edit.", 3020);
    if (m_editMode == EditMode::Edit) {
        requireCurrent();
        QVariant key = currentKey();
        writeUpdate(key);
        if (m_target.keyField >= 0 && m_dirty.value(m_target.keyField))
            key = m_buffer[m_target.keyField];
        m_editMode = EditMode::None;
        m_lastModified = key;
        rowEdited(key, m_buffer);
    } else {
        const QVariant key = writeInsert();
        m_editMode = EditMode::None;
        m_lastModified = key;
        // The row as the recordset holds it carries the key the database gave it.
        if (m_target.keyField >= 0 && !m_dirty.value(m_target.keyField))
            m_buffer[m_target.keyField] = key;
        rowAdded(key, m_buffer);
    }
    m_buffer.clear();
    m_dirty.clear();
}

void RecordsetBase::Delete()
{
    requireWritable();
    if (m_editMode != EditMode::None)
        CancelUpdate();
    requireCurrent();
    writeDelete(currentKey());
    rowDeleted();
}

void RecordsetBase::writeUpdate(const QVariant &key)
{
    QStringList sets;
    QList<int> written;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_dirty[i])
            continue;
        sets.append(JetSql::quoteName(m_columns[i].writeName) + " = ?");
        written.append(i);
    }
    if (written.isEmpty())
        return;
    Statement update(db(), "UPDATE " + JetSql::quoteName(m_target.name) + " SET "
                               + sets.join(", ") + " WHERE " + m_target.keyExpression + " = ?");
    int n = 1;
    for (int i : written)
        update.bind(n++, m_buffer[i], m_columns[i].kind);
    update.bind(n, key, m_target.keyKind);
    update.step();
    if (!m_target.isView && sqlite3_changes(db()) == 0)
        throw DbError("The record was deleted by another user; the change was not written.",
                      3167);
}

QVariant RecordsetBase::writeInsert()
{
    QStringList names;
    QList<int> written;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_dirty[i])
            continue;
        names.append(JetSql::quoteName(m_columns[i].writeName));
        written.append(i);
    }
    QString sql = "INSERT INTO " + JetSql::quoteName(m_target.name);
    if (written.isEmpty())
        sql += " DEFAULT VALUES";
    else
        sql += " (" + names.join(", ") + ") VALUES (" + QString("?, ").repeated(written.size())
                   .chopped(2) + ")";
    Statement insert(db(), sql);
    int n = 1;
    for (int i : written)
        insert.bind(n++, m_buffer[i], m_columns[i].kind);
    insert.step();
    if (m_target.keyField >= 0 && m_dirty[m_target.keyField]
        && !m_buffer[m_target.keyField].isNull())
        return m_buffer[m_target.keyField];
    if (!m_target.isView)
        return qlonglong(sqlite3_last_insert_rowid(db()));
    return QVariant();
}

void RecordsetBase::writeDelete(const QVariant &key)
{
    Statement remove(db(), "DELETE FROM " + JetSql::quoteName(m_target.name) + " WHERE "
                               + m_target.keyExpression + " = ?");
    remove.bind(1, key, m_target.keyKind);
    remove.step();
}

void RecordsetBase::SetIndex(const QString &) { throw notSupported(); }

void RecordsetBase::Seek(const QString &, const QVariant &) { throw notSupported(); }

void RecordsetBase::FindFirst(const QString &) { throw notSupported(); }

void RecordsetBase::FindNext(const QString &) { throw notSupported(); }

void RecordsetBase::describeColumns(sqlite3_stmt *stmt, int first, const ObjectInfo *target)
{
    m_columns.clear();
    m_target = WriteTarget();
    const bool writable = target && target->found && !target->key.isEmpty()
                          && (!target->isView || target->hasTriggers);
    const int count = sqlite3_column_count(stmt);
    for (int i = first; i < count; ++i) {
        Column column;
        column.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        column.table = QString::fromUtf8(sqlite3_column_table_name(stmt, i));
        // SQLite names a column "name:1" when a parenthesised join beside a RIGHT JOIN holds
        // two columns of that name; the column keeps the name it was selected by.
        const int colon = int(column.name.lastIndexOf(':'));
        if (colon > 0) {
            const QString origin = QString::fromUtf8(sqlite3_column_origin_name(stmt, i));
            if (origin.compare(column.name.left(colon), Qt::CaseInsensitive) == 0)
                column.name = column.name.left(colon);
        }
        column.kind = kindOfDeclaredType(QString::fromUtf8(sqlite3_column_decltype(stmt, i)));
        if (writable) {
            const QString origin = QString::fromUtf8(sqlite3_column_origin_name(stmt, i));
            if (target->isView) {
                // A view's columns are written through its triggers, by the view's own names.
                for (const QString &c : target->columns)
                    if (c.compare(column.name, Qt::CaseInsensitive) == 0)
                        column.writeName = c;
            } else if (column.table.compare(target->name, Qt::CaseInsensitive) == 0) {
                column.writeName = origin;
            }
        }
        m_columns.append(column);
    }
    if (!writable)
        return;
    m_target.name = target->name;
    m_target.isView = target->isView;
    m_target.keyExpression = target->keyExpression();
    m_target.keyIsRowid = target->keyIsRowid;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].writeName.compare(target->key, Qt::CaseInsensitive) == 0) {
            m_target.keyField = i;
            m_target.keyKind = m_columns[i].kind;
            break;
        }
    }
    if (m_target.keyIsRowid)
        m_target.keyKind = FieldKind::Integer;
}

QVector<QVariant> RecordsetBase::readRow(sqlite3_stmt *stmt, int first) const
{
    QVector<QVariant> values;
    values.reserve(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        values.append(readColumn(stmt, first + i, m_columns[i].kind));
    return values;
}

} // namespace Dao

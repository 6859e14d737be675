#include "platform/db/tablerecordset.h"

#include "platform/db/jetsql.h"

#include <sqlite3.h>

namespace Dao {

TableRecordset::TableRecordset(Database &db, const ObjectInfo &info)
    : RecordsetBase(db, RecordsetType::Table), m_info(info), m_keyExpr(info.keyExpression())
{
    if (info.key.isEmpty())
        throw DbError(QString("The table '%1' has no key to walk it by.").arg(info.name), 3251);
    m_first = Statement(this->db(), select(" ORDER BY " + m_keyExpr + " LIMIT 1"));
    describeColumns(m_first.get(), 1, &m_info);
    m_last = Statement(this->db(), select(" ORDER BY " + m_keyExpr + " DESC LIMIT 1"));
    m_next = Statement(this->db(),
                       select(" WHERE " + m_keyExpr + " > ?1 ORDER BY " + m_keyExpr + " LIMIT 1"));
    m_previous = Statement(this->db(), select(" WHERE " + m_keyExpr + " < ?1 ORDER BY "
                                              + m_keyExpr + " DESC LIMIT 1"));
    m_byKey = Statement(this->db(), select(" WHERE " + m_keyExpr + " = ?1"));
    MoveFirst();
}

TableRecordset::~TableRecordset() = default;

QString TableRecordset::select(const QString &tail) const
{
    return "SELECT " + m_keyExpr + ", * FROM " + JetSql::quoteName(m_info.name) + tail;
}

void TableRecordset::releaseStatements()
{
    m_first.finalize();
    m_last.finalize();
    m_next.finalize();
    m_previous.finalize();
    m_byKey.finalize();
}

bool TableRecordset::takeRow(Statement &statement)
{
    bool found = false;
    try {
        found = statement.step();
        if (found) {
            m_key = statement.value(0, m_target.keyKind);
            m_values = readRow(statement.get(), 1);
            m_deleted = false;
        }
    } catch (...) {
        statement.reset();
        throw;
    }
    statement.reset();
    return found;
}

bool TableRecordset::loadKey(const QVariant &key)
{
    m_byKey.bind(1, key, m_target.keyKind);
    if (!takeRow(m_byKey))
        return false;
    m_bof = m_eof = false;
    return true;
}

const QVector<QVariant> *TableRecordset::currentValues() const
{
    return (m_bof || m_eof) ? nullptr : &m_values;
}

void TableRecordset::MoveFirst()
{
    checkOpen();
    discardEdit();
    if (takeRow(m_first)) {
        m_bof = m_eof = false;
    } else {
        m_bof = m_eof = true;
    }
}

void TableRecordset::MoveLast()
{
    checkOpen();
    discardEdit();
    if (takeRow(m_last)) {
        m_bof = m_eof = false;
    } else {
        m_bof = m_eof = true;
    }
}

void TableRecordset::MoveNext()
{
    checkOpen();
    if (m_eof)
        throw noCurrentRecord();
    discardEdit();
    if (m_bof) {
        MoveFirst();
        return;
    }
    m_next.bind(1, m_key, m_target.keyKind);
    if (!takeRow(m_next)) {
        m_eof = true;
        m_bof = false;
    }
}

void TableRecordset::MovePrevious()
{
    checkOpen();
    if (m_bof)
        throw noCurrentRecord();
    discardEdit();
    if (m_eof) {
        MoveLast();
        return;
    }
    m_previous.bind(1, m_key, m_target.keyKind);
    if (!takeRow(m_previous)) {
        m_bof = true;
        m_eof = false;
    }
}

int TableRecordset::RecordCount()
{
    Statement count(db(), "SELECT count(*) FROM " + JetSql::quoteName(m_info.name));
    count.step();
    return count.value(0).toInt();
}

int TableRecordset::AbsolutePosition() const
{
    if (m_bof || m_eof)
        return -1;
    Statement count(db(), "SELECT count(*) FROM " + JetSql::quoteName(m_info.name) + " WHERE "
                              + m_keyExpr + " < ?1");
    count.bind(1, m_key, m_target.keyKind);
    count.step();
    return count.value(0).toInt();
}

void TableRecordset::SetIndex(const QString &index)
{
    checkOpen();
    if (index.compare("Primarykey", Qt::CaseInsensitive) != 0)
        throw DbError(QString("'%1' isn't an index in this table.").arg(index), 3800);
}

void TableRecordset::Seek(const QString &comparison, const QVariant &key)
{
    checkOpen();
    const QString op = comparison.trimmed();
    QString tail;
    if (op == "=")
        tail = " WHERE " + m_keyExpr + " = ?1";
    else if (op == ">" || op == ">=")
        tail = " WHERE " + m_keyExpr + " " + op + " ?1 ORDER BY " + m_keyExpr + " LIMIT 1";
    else if (op == "<" || op == "<=")
        tail = " WHERE " + m_keyExpr + " " + op + " ?1 ORDER BY " + m_keyExpr + " DESC LIMIT 1";
    else
        throw DbError(QString("Invalid Seek comparison '%1'.").arg(comparison), 3251);
    discardEdit();
    Statement seek(db(), select(tail));
    seek.bind(1, key, m_target.keyKind);
    m_noMatch = !takeRow(seek);
    if (!m_noMatch)
        m_bof = m_eof = false;
}

void TableRecordset::find(const QString &criteria, bool fromCurrent)
{
    checkOpen();
    QString where = "(" + JetSql::toSqlite(criteria) + ")";
    const bool after = fromCurrent && !m_bof && !m_eof;
    if (after)
        where += " AND " + m_keyExpr + " > ?1";
    Statement search(db(), select(" WHERE " + where + " ORDER BY " + m_keyExpr + " LIMIT 1"));
    if (after)
        search.bind(1, m_key, m_target.keyKind);
    discardEdit();
    m_noMatch = !takeRow(search);
    if (!m_noMatch)
        m_bof = m_eof = false;
}

void TableRecordset::FindFirst(const QString &criteria) { find(criteria, false); }

void TableRecordset::FindNext(const QString &criteria) { find(criteria, true); }

void TableRecordset::Requery() { MoveFirst(); }

void TableRecordset::MoveToLastModified()
{
    checkOpen();
    if (m_lastModified.isNull() || !loadKey(m_lastModified))
        throw noCurrentRecord();
}

void TableRecordset::rowEdited(const QVariant &key, const QVector<QVariant> &values)
{
    if (!loadKey(key)) {
        m_key = key;
        m_values = values;
    }
}

void TableRecordset::rowAdded(const QVariant &, const QVector<QVariant> &) {}

void TableRecordset::rowDeleted() { m_deleted = true; }

} // namespace Dao

#include "platform/db/bindings.h"

#include "platform/db/dberror.h"
#include "platform/db/sqlvalue.h"

#include <sqlite3.h>

namespace Dao {
namespace {

DbError bindingError(const QString &text) { return DbError(text, 3061); }

} // namespace

void Bindings::bindTo(sqlite3_stmt *stmt) const
{
    const int count = sqlite3_bind_parameter_count(stmt);
    if (!m_named.isEmpty()) {
        QVariantMap unused = m_named;
        for (int i = 1; i <= count; ++i) {
            const char *raw = sqlite3_bind_parameter_name(stmt, i);
            if (!raw || raw[0] == '?')
                throw bindingError("A placeholder by position found among named values.");
            const QString full = QString::fromUtf8(raw);
            const QString bare = full.mid(1);
            const QString key = m_named.contains(full) ? full : bare;
            if (!m_named.contains(key))
                throw bindingError(QString("No value given for the placeholder %1.").arg(full));
            bindValue(stmt, i, m_named.value(key), FieldKind::Unknown);
            unused.remove(key);
        }
        if (!unused.isEmpty())
            throw bindingError(QString("No placeholder for the value '%1'.")
                                   .arg(unused.firstKey()));
        return;
    }
    if (m_positional.size() != count)
        throw bindingError(QString("The SQL text has %1 placeholders, %2 values were given.")
                               .arg(count).arg(m_positional.size()));
    for (int i = 1; i <= count; ++i) {
        const char *raw = sqlite3_bind_parameter_name(stmt, i);
        if (raw && raw[0] != '?')
            throw bindingError(QString("The placeholder %1 is named; give its value by name.")
                                   .arg(QString::fromUtf8(raw)));
        bindValue(stmt, i, m_positional.at(i - 1), FieldKind::Unknown);
    }
}

} // namespace Dao

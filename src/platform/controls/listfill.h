#pragma once

#include "platform/db/bindings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ListGrid;

namespace Dao {
class Recordset;
}

// The fill that every list form shares: the records of a recordset walked in its order, each
// tested in code, and each one that passes added to the list grid as its cells' texts joined
// by ";", with its key as the row's RowData. The walk stops after kMaxRows added rows, without
// a message.
namespace ListFill {

inline constexpr int kMaxRows = 2000;

struct Rows
{
    // Whether a record is listed; empty: every record is.
    std::function<bool(const Dao::Recordset &)> accept;
    // The row's cell texts in column order. A ";" inside a text is not escaped.
    std::function<QStringList(const Dao::Recordset &)> cells;
    // The field whose value is the row's hidden key.
    QString keyField;
};

// Fills an empty list from the recordset's current row to its end; a list that already has
// rows is left as it is. Returns the number of rows added.
int fill(ListGrid &list, Dao::Recordset &records, const Rows &rows);

// Opens the database file, the table, stored query or Jet SQL text (or, with values, a SELECT
// of SQLite's dialect with those bound values), fills the list as above and closes both again.
// An empty list is filled only; database errors reach the caller as Dao::DbError.
int fill(ListGrid &list, const QString &databasePath, const QString &source, const Rows &rows,
         const std::optional<Dao::Bindings> &values = std::nullopt);

} // namespace ListFill

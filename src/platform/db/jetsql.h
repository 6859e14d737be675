#pragma once

#include <QString>

namespace Dao {

// Translates statements and criteria of Jet's SQL dialect into SQLite's. The translation is
// token based and never touches the text inside string literals:
//   DELETE <field list> FROM t ...       -> DELETE FROM t ...      (also DELETE DISTINCTROW, *)
//   SELECT DISTINCTROW                   -> SELECT
//   UPDATE t SET t.f = ...               -> UPDATE t SET f = ...
//   a!b                                  -> a.b
//   x & y & z                            -> jet_concat(x, y, z)   (Null-safe, Jet's precedence)
//   a / b                                -> a*1.0/b               (real division)
//   a Mod b                              -> a % b
//   Date(), Now()                        -> jet_date(), jet_now() (the program's clock)
//   True, False                          -> 1, 0
//   #m/d/yyyy [h:mm:ss]#                 -> 'yyyy-MM-dd HH:mm:ss'
//   "text"                               -> 'text'
//   x [Not] Like 'a*b?'                  -> [NOT] jet_like(x, 'a*b?')
//   a trailing ";" and blanks            -> removed
// Bracketed names stay as they are; SQLite reads them.
class JetSql
{
public:
    // Throws DbError on text that cannot be read (an open string, unbalanced parentheses,
    // a date literal that is no date).
    static QString toSqlite(const QString &jetSql);

    // What a translated SELECT looks like, for recordsets that write back.
    struct SelectShape
    {
        bool isSelect = false;
        // The one table or view of a plain "SELECT list FROM name [alias] [WHERE] [ORDER BY]"
        // without DISTINCT, grouping, aggregates, joins or compound parts; empty otherwise.
        QString singleSource;
        int listOffset = -1;   // where the select list begins in the SQLite text
    };
    static SelectShape shapeOf(const QString &sqliteSql);

    // The first keyword of a statement, upper case ("SELECT", "DELETE", ...).
    static QString leadingKeyword(const QString &sqliteSql);

    // A name quoted for SQLite: "na""me".
    static QString quoteName(const QString &name);
};

} // namespace Dao

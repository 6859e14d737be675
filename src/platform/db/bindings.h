#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

struct sqlite3_stmt;

namespace Dao {

// The values bound to the placeholders of one SQL text, either by position ("?", "?2") or by
// name (":user", "@from", "$to"; a map key may leave out the leading mark). A null QVariant
// binds Null; integers, reals, texts and Booleans (as 1/0) bind as themselves, a day number is
// just an integer. Values never become SQL text.
class Bindings
{
public:
    Bindings() = default;
    Bindings(QVariantList positional) : m_positional(std::move(positional)) {}
    Bindings(QVariantMap named) : m_named(std::move(named)) {}

    bool isEmpty() const { return m_positional.isEmpty() && m_named.isEmpty(); }

    // Binds every placeholder of the statement. Throws DbError when a placeholder has no value
    // or a value has no placeholder, so that a mistyped name is not silently Null.
    void bindTo(sqlite3_stmt *stmt) const;

private:
    QVariantList m_positional;
    QVariantMap m_named;
};

} // namespace Dao

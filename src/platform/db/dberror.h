#pragma once

#include <QString>

#include <stdexcept>

namespace Dao {

// An error of the database engine. description() is a text a message box can show.
class DbError : public std::runtime_error
{
public:
    DbError(const QString &description, int code = 0)
        : std::runtime_error(description.toStdString()), m_description(description), m_code(code)
    {}
    QString description() const { return m_description; }
    int code() const { return m_code; }
    // Another connection holds the file locked (SQLite's BUSY or LOCKED).
    bool inUse() const { return sqlite(5) || sqlite(6); }
    // The file is damaged (SQLite's CORRUPT or NOTADB).
    bool damaged() const { return sqlite(11) || sqlite(26); }

private:
    // SQLite's extended codes of these kinds lie below 1024; Jet's numbers start at 3000.
    bool sqlite(int primary) const { return m_code > 0 && m_code < 1024 && (m_code & 0xff) == primary; }

    QString m_description;
    int m_code;
};

} // namespace Dao

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

private:
    QString m_description;
    int m_code;
};

} // namespace Dao

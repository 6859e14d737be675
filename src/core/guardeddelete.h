#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The deletes that refuse while rows still name what would be deleted (bookings of an item or
// an account, types of a group, items of a type). The test runs before the question, and again
// with the delete itself in one write transaction once the user has answered: a row that
// another copy of the program wrote while the question waited is found there, nothing is
// deleted, and the user gets the same refusal as before the question.
namespace GuardedDelete {

// A refusal: it holds while a row of table meets criteria ("lokalenr = 7"; program text with
// validated numbers only). style and title are those of its message box.
struct Guard
{
    QString table;
    QString criteria;
    QString message;
    QString title;
    int style = 0;
};

// The question put before a delete; Yes deletes.
struct Question
{
    QString text;
    QString title;
    int style = 0;
};

// The first guard that holds now; nothing when none does.
std::optional<Guard> holding(const QList<Guard> &guards);

// In one write transaction on the bookingfile: the guards tested again and, when none holds,
// the statements (Jet SQL) run. Returns the guard that held, with nothing deleted, or nothing
// when the statements ran. Throws Dao::DbError when the file cannot be read or written.
std::optional<Guard> run(const QList<Guard> &guards, const QStringList &statements);

// Shows a guard's refusal.
void refuse(const Guard &guard);

// The whole delete: a guard that holds refuses it before the question when testFirst; then the
// question; on Yes run, and a guard that holds now refuses it as before. True when deleted.
// Throws as run does.
bool confirmAndDelete(const Question &question, const QList<Guard> &guards,
                      const QStringList &statements, bool testFirst = true);

} // namespace GuardedDelete

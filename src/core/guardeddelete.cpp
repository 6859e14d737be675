#include "core/guardeddelete.h"

#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

namespace GuardedDelete {

namespace {

std::optional<Guard> firstHolding(Dao::Database &db, const QList<Guard> &guards)
{
    for (const Guard &guard : guards) {
        auto rs = db.OpenRecordset("SELECT 1 FROM " + guard.table + " WHERE " + guard.criteria,
                                   Dao::RecordsetType::ForwardOnly);
        const bool found = !rs->EOF_();
        rs->Close();
        if (found)
            return guard;
    }
    return std::nullopt;
}

} // namespace

void refuse(const Guard &guard) { MsgBox::show(guard.message, guard.style, guard.title); }

std::optional<Guard> holding(const QList<Guard> &guards)
{
    if (guards.isEmpty())
        return std::nullopt;
    auto db = Dao::Database::open(Generalen::gDatabasePath);
    return firstHolding(*db, guards);
}

std::optional<Guard> run(const QList<Guard> &guards, const QStringList &statements)
{
    auto db = Dao::Database::open(Generalen::gDatabasePath);
    Dao::Transaction transaction(*db);
    if (std::optional<Guard> held = firstHolding(*db, guards))
        return held;
    for (const QString &statement : statements)
        db->Execute(statement);
    transaction.commit();
    return std::nullopt;
}

bool confirmAndDelete(const Question &question, const QList<Guard> &guards,
                      const QStringList &statements, bool testFirst)
{
    if (testFirst) {
        if (const std::optional<Guard> held = holding(guards)) {
            refuse(*held);
            return false;
        }
    }
    if (MsgBox::show(question.text, question.style, question.title) != MsgBox::Yes)
        return false;
    if (const std::optional<Guard> held = run(guards, statements)) {
        refuse(*held);
        return false;
    }
    return true;
}

} // namespace GuardedDelete

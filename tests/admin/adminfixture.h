#pragma once

#include "fixtures/sandbox.h"

#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>

class Form;

// A new bookingfile whose administrator (account 1, admin/admin) is logged in, with helpers
// that write accounts, memberships and bookings straight into the file.
class AdminTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    qint64 exec(const QString &sql);
    // A personal account with its own membership; returns its key.
    int32_t addPerson(const QString &name, bool archived = false, bool admin = false);
    // A group account owned by owner, with the owner as member.
    int32_t addGroup(const QString &name, int32_t owner, bool archived = false);
    void addBooking(int32_t nr, int32_t account, bool archive = false);
    void logIn(int32_t id);
    // The members (pnr) of account gnr, one entry per row, in key order.
    QList<qlonglong> members(int32_t gnr);
    qlonglong count(const QString &table, const QString &criteria);

    Sandbox sb;
    QString file;
    Form *planner = nullptr;   // the window that owns the forms the menu opens
};

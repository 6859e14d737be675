#pragma once

#include "fixtures/sandbox.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <cstdint>

class PageModel;
class PlannerGrid;

// A bookingfile of its own with the state of a logged-in user, a fixed clock, and helpers
// that write resources and bookings straight into the file.
class PlannerTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs one SQLite statement on the bookingfile; returns the last inserted row id.
    qint64 exec(const QString &sql);
    int32_t addGroup(const QString &name, int kind = 1);
    int32_t addType(const QString &name, int32_t group);
    // inaktiv, inakstart and inakslut may be null QVariants.
    int32_t addItem(const QString &name, int32_t type, const QVariant &inaktiv = 0,
                    const QVariant &inakstart = QVariant(), const QVariant &inakslut = QVariant());
    void addBooking(int32_t nr, int32_t type, int32_t item, int32_t day, int start = 600,
                    int end = 660, const QString &text = QString());

    static int32_t day(int y, int m, int d);
    // Key texts of the grid's items, in item order.
    static QStringList keys(const PlannerGrid &grid);
    // Resource numbers of the grid's columns, in column order.
    static QList<int32_t> columns(const PlannerGrid &grid);
    // The grid of a loaded planner view that printed these pages (the one whose print title
    // they carry); nullptr when none did.
    static PlannerGrid *printedGrid(const PageModel &pages);

    Sandbox sb;
    QString file;
};

// A resource group Rooms with one type, Meeting, and its item Aula, shown from the Monday
// 2024-01-08.
class OneRoomTest : public PlannerTest
{
protected:
    void SetUp() override;

    const int32_t monday = day(2024, 1, 8);
    int32_t group = 0, type = 0, aula = 0;
};

// The same type with a second item, Lab; the logged-in user (account 2) is a member of account 2
// only, and the key counter stands at 500.
class TwoRoomsTest : public OneRoomTest
{
protected:
    void SetUp() override;
    // One field of a stored booking; a null QVariant when the booking is not there.
    QVariant field(int32_t nr, const QString &name);

    int32_t lab = 0;
};

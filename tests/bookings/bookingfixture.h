#pragma once

#include "fixtures/sandbox.h"

#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

// A fresh bookingfile with two rooms and a piece of equipment, three accounts and a few
// bookings, and the state of member Anna logged in.
//
// Accounts: 1 Administrator (admin), 2 Anna Berg, 3 Ben Holm, 5 Summer Project (group of
// Anna), 6 Old Project (archived group). Items: 10 "Room A" (Domestic), 11 "Room B"
// (Domestic), 20 "Projector" (Add-On). Floor plans: 1 "Boardroom", 2 "Classroom".
// Bookings: 100 Anna's room booking on day 2, 10:00-11:00; 101 Ben's projector booking;
// 102 a series member of Anna's (gennr 102).
class BookingFileTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQL on the bookingfile; returns the last inserted row id.
    qint64 exec(const QString &sql);
    // One field of one booking, read straight from the table.
    QVariant bookingField(int bookingnr, const QString &field);

    Sandbox sb;
    QString file;
};

#pragma once

#include "fixtures/sandbox.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <gtest/gtest.h>

#include <cstdint>

class Tree;

// A fresh bookingfile with an administrator logged in on 2024-03-10 (day 45359), and helpers
// that write the resource hierarchy straight into the file.
class ResourceTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    qint64 exec(const QString &sql);
    QVariant value(const QString &sql);
    int count(const QString &table, const QString &where = "1 = 1");
    int32_t addGroup(const QString &name, int kind = 1);
    int32_t addType(const QString &name, int32_t group, int kind = 1);
    int32_t addItem(const QString &name, int32_t type, int kind = 1);
    void addBooking(int32_t item, int32_t type, bool archived = false);

    // "key text" of every node, indented by two blanks a level, in node order.
    static QStringList nodes(const Tree &tree);
    // The number of the first node with this key; -1 when none has it.
    static int nodeOf(const Tree &tree, const QString &key);

    static constexpr int32_t kToday = 45359;   // 2024-03-10

    Sandbox sb;
    QString file;
};

#include "platform/controls/datacontrol.h"
#include "platform/controls/dblist.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Groups and the items in them, in a small file of its own.
class DBListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("groups.mdb");
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TABLE grp (gnr INTEGER PRIMARY KEY, gnavn TEXT);"
                               "INSERT INTO grp VALUES (10, 'Rooms');"
                               "INSERT INTO grp VALUES (20, 'Tools');"
                               "INSERT INTO grp VALUES (30, 'Cars');"
                               "CREATE TABLE item (inr INTEGER PRIMARY KEY, inavn TEXT,"
                               " gnr INTEGER);"
                               "INSERT INTO item VALUES (1, 'Drill', 20);"
                               "INSERT INTO item VALUES (2, 'Hall', 10);"
                               "INSERT INTO item VALUES (3, 'Attic', 10);",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        groups.setDatabaseName(m_path);
        groups.setRecordSource("grp");
        items.setDatabaseName(m_path);
        items.setRecordSource("item");
    }
    void TearDown() override
    {
        items.Close();
        groups.Close();
    }
    QString storedGroup(int item)
    {
        sqlite3 *db = nullptr;
        sqlite3_open(m_path.toUtf8().constData(), &db);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT gnr FROM item WHERE inr = ?", -1, &stmt, nullptr);
        sqlite3_bind_int(stmt, 1, item);
        QString result;
        if (sqlite3_step(stmt) == SQLITE_ROW)
            result = QString::number(sqlite3_column_int(stmt, 0));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return result;
    }

    QTemporaryDir m_dir;
    QString m_path;
    DataControl groups;
    DataControl items;
};

TEST_F(DBListTest, TheListShowsEveryRowAndFollowsTheDataControl)
{
    DBList list;
    list.setRowSource(&groups);
    list.setListField("gnavn");
    list.setBoundColumn("gnr");
    EXPECT_EQ(list.ListCount(), 0);   // nothing before the first refresh
    EXPECT_EQ(list.BoundText().toString(), "");
    groups.Refresh();
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(0), "Rooms");
    EXPECT_EQ(list.List(2), "Cars");
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(list.Text(), "Rooms");
    EXPECT_EQ(list.BoundText().toInt(), 10);

    QSignalSpy clicks(&list, &DBList::Click);
    groups.MoveNext();
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.BoundText().toInt(), 20);
    groups.FindFirst("gnr =30");
    EXPECT_EQ(list.Text(), "Cars");
    groups.MoveNext();   // past the end: nothing selected
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.BoundText().toString(), "");
    EXPECT_EQ(list.Text(), "");
    EXPECT_EQ(clicks.count(), 0);   // following the data control is no click
}

TEST_F(DBListTest, APickMovesTheDataControlAndRaisesClick)
{
    DBList list;
    list.setRowSource(&groups);
    list.setListField("gnavn");
    list.setBoundColumn("gnr");
    groups.Refresh();
    QSignalSpy clicks(&list, &DBList::Click);
    int seenInClick = -1;
    QObject::connect(&list, &DBList::Click, &list, [&] {
        seenInClick = groups.value("gnr").toInt();   // already moved when Click runs
    });

    auto *view = list.findChild<QListWidget *>();
    ASSERT_NE(view, nullptr);
    list.resize(200, 200);
    list.show();
    const QRect rect = view->visualItemRect(view->item(2));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(seenInClick, 30);
    EXPECT_EQ(groups.position(), 2);
    EXPECT_EQ(list.BoundText().toInt(), 30);

    QTest::keyClick(view, Qt::Key_Up);   // the keyboard picks too
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(groups.value("gnavn"), QVariant("Tools"));

    list.setListIndex(0);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(groups.value("gnr").toInt(), 10);

    list.setBoundText(30);   // by value, no click
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(groups.position(), 2);
    list.setBoundText(QString("99"));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 3);
}

// The row source keeps its row when its Validate refuses to write a change; the list then
// stays on that row too, and no Click is raised for a pick that did not happen.
TEST_F(DBListTest, APickTheRowSourceRefusesLeavesTheListOnItsRow)
{
    DBList list;
    list.setRowSource(&groups);
    list.setListField("gnavn");
    list.setBoundColumn("gnr");
    QLineEdit name;
    groups.bind(&name, "gnavn");
    groups.Refresh();
    QObject::connect(&groups, &DataControl::Validate, &list, [](bool &cancel) { cancel = true; });
    QSignalSpy clicks(&list, &DBList::Click);

    name.setText("Halls");   // a change the source will not write
    list.setListIndex(2);
    EXPECT_EQ(groups.position(), 0);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(list.BoundText().toInt(), 10);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(name.text(), "Halls");
}

TEST_F(DBListTest, ANewRecordSourceRefillsTheList)
{
    DBList list;
    list.setRowSource(&items);
    list.setListField("inavn");
    list.setBoundColumn("inr");
    items.Refresh();
    EXPECT_EQ(list.ListCount(), 3);
    items.setRecordSource("select * from item where gnr = 10;");
    items.Refresh();
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(1), "Attic");
    EXPECT_EQ(list.ListIndex(), 0);   // the first of the new rows is current
    EXPECT_EQ(list.BoundText().toInt(), 2);
    // A join in Jet's dialect, as the account choice of a form uses one.
    items.setRecordSource("SELECT item.inr, grp.gnavn & ' / ' & item.inavn AS fuld FROM item"
                          " INNER JOIN grp ON item.gnr = grp.gnr WHERE grp.gnr = 20;");
    list.setListField("fuld");
    items.Refresh();
    ASSERT_EQ(list.ListCount(), 1);
    EXPECT_EQ(list.Text(), "Tools / Drill");
    EXPECT_EQ(list.BoundText().toInt(), 1);
    items.setRecordSource("select * from item where gnr = 99;");
    items.Refresh();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.BoundText().toString(), "");
}

TEST_F(DBListTest, ABoundComboShowsAndWritesTheFieldValue)
{
    // An item's group chosen in a combo listing the groups: the combo is bound to the item's
    // gnr; its rows come from the groups. The groups' first row (Rooms) must not leak in.
    DBList combo(DBList::ComboStyle);
    combo.setRowSource(&groups);
    combo.setListField("gnavn");
    combo.setBoundColumn("gnr");
    combo.setPlaceholderText("Select Group");
    QLineEdit name;
    items.bind(&combo, "gnr");
    items.bind(&name, "inavn");
    EXPECT_TRUE(combo.isDataBound());
    items.Refresh();
    groups.Refresh();   // filled after the item, as a form's load may do
    EXPECT_EQ(combo.Text(), "Tools");
    EXPECT_EQ(combo.BoundText().toInt(), 20);
    EXPECT_FALSE(items.isDirty());

    items.MoveNext();
    EXPECT_EQ(combo.Text(), "Rooms");
    groups.Refresh();
    EXPECT_EQ(combo.Text(), "Rooms");   // a refill keeps the bound value
    EXPECT_FALSE(items.isDirty());

    QSignalSpy clicks(&combo, &DBList::Click);
    auto *view = combo.findChild<QComboBox *>();
    ASSERT_NE(view, nullptr);
    view->setCurrentIndex(2);   // the user picks "Cars"
    emit view->activated(2);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(combo.BoundText().toInt(), 30);
    EXPECT_TRUE(items.isDirty());
    EXPECT_EQ(groups.position(), 0);   // the rows' own control is not moved
    EXPECT_EQ(storedGroup(2), "10");
    items.MoveNext();
    EXPECT_EQ(storedGroup(2), "30");
    EXPECT_EQ(storedGroup(1), "20");
    EXPECT_EQ(combo.Text(), "Rooms");

    // A change to another box of the row leaves the group as stored.
    items.MoveFirst();
    name.setText("Drill 2");
    items.MoveNext();
    EXPECT_EQ(storedGroup(1), "20");
}

TEST_F(DBListTest, AValueNotAmongTheRowsShowsNothingAndIsKept)
{
    DBList combo(DBList::ComboStyle);
    combo.setRowSource(&groups);
    combo.setListField("gnavn");
    combo.setBoundColumn("gnr");
    items.bind(&combo, "gnr");
    groups.setRecordSource("select * from grp where gnr <> 20");
    groups.Refresh();
    items.Refresh();   // item 1 is in group 20, which the combo does not list
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(combo.BoundText().toInt(), 20);
    items.MoveNext();
    EXPECT_EQ(storedGroup(1), "20");
    EXPECT_EQ(combo.Text(), "Rooms");
}

} // namespace

namespace {

// A 300-character entry widens neither a combo nor a list, nor a window they are in: each keeps
// the width its window gives it and cuts the entry short; the entry itself is kept whole.
TEST_F(DBListTest, ALongEntryNeverWidensItsWindow)
{
    const QString name = QString("Very long name ").repeated(20);
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(m_path.toUtf8().constData(), &db), SQLITE_OK);
    const QByteArray sql = "UPDATE grp SET gnavn = '" + name.toUtf8() + "' WHERE gnr = 20";
    ASSERT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    for (DBList::Style style : {DBList::ComboStyle, DBList::ListStyle}) {
        SCOPED_TRACE(style == DBList::ComboStyle ? "combo" : "list");
        QWidget window;
        auto *box = new DBList(style, &window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        box->setRowSource(&groups);
        box->setListField("gnavn");
        box->setBoundColumn("gnr");
        groups.Refresh();
        box->setBoundText(20);
        EXPECT_EQ(box->Text(), name);
        window.show();
        EXPECT_LT(window.sizeHint().width(), 400);
        EXPECT_LT(window.minimumSizeHint().width(), 400);
        EXPECT_LT(window.width(), 400);
    }
}

} // namespace

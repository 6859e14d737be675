#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

using Dao::RecordsetType;

namespace {

// A bookingfile with three items and four bookings.
class Recordsets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = Dao::Database::open(box.newBookingfile());
        db->Execute("INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr) VALUES (7, 'Hall', 1)");
        db->Execute("INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr) VALUES (3, 'Attic', 1)");
        db->Execute("INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr) VALUES (5, NULL, 2)");
        for (const char *row : {"(30, 'Choir', 45000, 600, 660, 7, 1)",
                                "(12, 'Board', 45000, 540, 600, 3, 0)",
                                "(20, 'Yoga', 45001, 480, 540, 7, 0)",
                                "(41, 'Chess', 45001, 1200, 1260, 5, 1)"})
            db->Execute(QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, "
                                "bslut, Lokalenr, Tentative) VALUES %1").arg(row));
    }

    QList<int> walk(Dao::Recordset &rs, const char *field)
    {
        QList<int> out;
        for (; !rs.EOF_(); rs.MoveNext())
            out.append(rs.Field(field).toInt());
        return out;
    }

    Sandbox box;
    std::unique_ptr<Dao::Database> db;
};

} // namespace

TEST_F(Recordsets, TableWalksInKeyOrderAndSeeksThePrimaryKey)
{
    auto rs = db->OpenRecordset("lokale", RecordsetType::Table);
    EXPECT_FALSE(rs->BOF());
    EXPECT_EQ(walk(*rs, "LOKALENR"), QList<int>({3, 5, 7}));   // field names are case-blind
    EXPECT_TRUE(rs->EOF_());
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_THROW(rs->MoveNext(), Dao::DbError);

    rs->SetIndex("Primarykey");
    rs->Seek("=", 5);
    EXPECT_FALSE(rs->NoMatch());
    EXPECT_TRUE(rs->Field("Lokalenavn").isNull());   // Null stays Null
    rs->Seek("=", 6);
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(rs->Field("lokalenr").toInt(), 5);   // a failed seek leaves the row
    rs->MovePrevious();
    EXPECT_EQ(rs->Field(0).toInt(), 3);
    EXPECT_THROW(rs->SetIndex("Bynavn"), Dao::DbError);
}

TEST_F(Recordsets, EmptyRecordsetsAreAtBothEnds)
{
    db->Execute("DELETE FROM Valgunits");
    for (RecordsetType type : {RecordsetType::Table, RecordsetType::Dynaset,
                               RecordsetType::Snapshot, RecordsetType::ForwardOnly}) {
        auto rs = db->OpenRecordset("Valgunits", type);
        EXPECT_TRUE(rs->EOF_());
        EXPECT_TRUE(rs->BOF());
        EXPECT_EQ(rs->RecordCount(), 0);
        EXPECT_THROW(rs->Field(0), Dao::DbError);
    }
}

TEST_F(Recordsets, TableEditAddAndDeleteWriteAtOnce)
{
    auto rs = db->OpenRecordset("lokale", RecordsetType::Table);
    rs->Edit();
    rs->SetField("Lokalenavn", "Loft");
    EXPECT_EQ(rs->Field("Lokalenavn").toString(), "Loft");   // the edit buffer
    rs->Update();
    EXPECT_EQ(db->OpenRecordset("SELECT Lokalenavn FROM lokale WHERE lokalenr = 3")
                  ->Field(0).toString(), "Loft");

    rs->AddNew();
    rs->SetField("Lokalenavn", "Annex");
    rs->SetField("gebyr", "12.5");   // a box's text becomes a number
    rs->SetField("maxprs", "");      // a cleared box is Null
    rs->Update();
    const int added = rs->LastModifiedKey().toInt();
    EXPECT_GT(added, 7);
    EXPECT_EQ(rs->Field("lokalenr").toInt(), 3);   // the current row stays where it was
    rs->MoveToLastModified();
    EXPECT_EQ(rs->Field("Lokalenavn").toString(), "Annex");
    EXPECT_DOUBLE_EQ(rs->Field("gebyr").toDouble(), 12.5);
    EXPECT_TRUE(rs->Field("maxprs").isNull());

    rs->MoveFirst();
    rs->Delete();
    EXPECT_THROW(rs->Field("Lokalenavn"), Dao::DbError);   // deleted
    rs->MoveNext();
    EXPECT_EQ(rs->Field("lokalenr").toInt(), 5);
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_THROW(rs->SetField("Lokalenavn", "x"), Dao::DbError);   // no Edit first
    rs->Edit();
    EXPECT_THROW(rs->SetField("maxprs", "many"), Dao::DbError);
    rs->CancelUpdate();
}

TEST_F(Recordsets, DynasetFindsWithCriteriaTexts)
{
    auto rs = db->OpenRecordset("SELECT * FROM booking ORDER BY Bdato, bstart;",
                                RecordsetType::Dynaset);
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(walk(*rs, "Bookingnr"), QList<int>({12, 30, 20, 41}));

    struct Case
    {
        const char *criteria;
        int found;   // 0: no match
    };
    const Case cases[] = {
        {"[Bookingnr]=20", 20},       {"Bookingnr = 41", 41},
        {"lokalenr = 7", 30},         {"Beskrivelse = 'Yoga'", 20},
        {"Beskrivelse Like 'ch*'", 30}, {"Tentative = True And Bdato = 45001", 41},
        {"[Bookingnr]=99", 0},
    };
    for (const Case &c : cases) {
        rs->MoveFirst();
        rs->MoveNext();   // FindFirst searches from the first row whatever the position
        rs->FindFirst(c.criteria);
        EXPECT_EQ(rs->NoMatch(), c.found == 0) << c.criteria;
        if (c.found)
            EXPECT_EQ(rs->Field("Bookingnr").toInt(), c.found) << c.criteria;
        else
            EXPECT_EQ(rs->Field("Bookingnr").toInt(), 30) << "a failed find keeps the row";
    }
    rs->FindFirst("lokalenr = 7");
    rs->FindNext("lokalenr = 7");
    EXPECT_EQ(rs->Field("Bookingnr").toInt(), 20);
    rs->FindNext("lokalenr = 7");
    EXPECT_TRUE(rs->NoMatch());
}

TEST_F(Recordsets, DynasetWritesBackSnapshotAndJoinsDoNot)
{
    auto rs = db->OpenRecordset("SELECT Beskrivelse, Bookingnr FROM booking WHERE Lokalenr = 7",
                                RecordsetType::Dynaset);
    ASSERT_TRUE(rs->Updatable());
    rs->FindFirst("[Bookingnr]=20");
    rs->Edit();
    rs->SetField("Beskrivelse", "Pilates");
    rs->Update();
    EXPECT_EQ(rs->Field("Beskrivelse").toString(), "Pilates");
    rs->Requery();
    rs->FindFirst("[Bookingnr]=20");
    EXPECT_EQ(rs->Field("Beskrivelse").toString(), "Pilates");
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(db->OpenRecordset("SELECT count(*) FROM booking")->Field(0).toInt(), 3);

    auto snap = db->OpenRecordset("booking", RecordsetType::Snapshot);
    EXPECT_FALSE(snap->Updatable());
    EXPECT_THROW(snap->Edit(), Dao::DbError);
    auto join = db->OpenRecordset("SELECT b.Bookingnr, l.Lokalenavn FROM booking b "
                                  "INNER JOIN lokale l ON l.lokalenr = b.Lokalenr",
                                  RecordsetType::Dynaset);
    EXPECT_FALSE(join->Updatable());
    EXPECT_THROW(join->AddNew(), Dao::DbError);
}

TEST_F(Recordsets, TheBookingQueryWritesSecondsBackAsMinutes)
{
    auto rs = db->OpenRecordset("bookingfor");
    rs->FindFirst("[Bookingnr]=12");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Field("start").toInt(), 540 * 60);
    EXPECT_EQ(rs->Field("Lokalenavn").toString(), "Attic");
    rs->Edit();
    rs->SetField("start", 36030);   // 600.5 minutes: the tie goes to 600
    rs->SetField("slut", 39690);    // 661.5 minutes: to 662
    rs->SetField("Beskrivelse", "Board meeting");
    rs->Update();
    auto check = db->OpenRecordset("SELECT bstart, bslut, Beskrivelse FROM booking "
                                   "WHERE Bookingnr = 12");
    EXPECT_EQ(check->Field("bstart").toInt(), 600);
    EXPECT_EQ(check->Field("bslut").toInt(), 662);
    EXPECT_EQ(check->Field("Beskrivelse").toString(), "Board meeting");

    rs->AddNew();
    rs->SetField("Bookingnr", 77);
    rs->SetField("Lokalenr", 5);
    rs->SetField("Bdato", 45002);
    rs->SetField("start", 28800);
    rs->SetField("slut", 32400);
    rs->Update();
    rs->MoveToLastModified();
    EXPECT_EQ(rs->Field("Bookingnr").toInt(), 77);
    auto added = db->OpenRecordset("SELECT bstart, bslut FROM booking WHERE Bookingnr = 77");
    EXPECT_EQ(added->Field("bstart").toInt(), 480);
    EXPECT_EQ(added->Field("bslut").toInt(), 540);
}

TEST_F(Recordsets, ForwardOnlyStepsOnceAndCountsWhatItReached)
{
    auto rs = db->OpenRecordset("SELECT Bookingnr FROM booking ORDER BY Bookingnr",
                                RecordsetType::ForwardOnly);
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Field(0).toInt(), 12);
    rs->MoveNext();
    EXPECT_EQ(rs->Field(0).toInt(), 20);
    EXPECT_THROW(rs->MovePrevious(), Dao::DbError);
    EXPECT_THROW(rs->Edit(), Dao::DbError);
    rs->MoveLast();
    EXPECT_EQ(rs->Field(0).toInt(), 41);
    EXPECT_EQ(rs->RecordCount(), 4);
}

TEST_F(Recordsets, ValuesComeBackTyped)
{
    db->Execute("INSERT INTO arkiveringsdato (ID, arkiveringsdato) VALUES (2, #12/9/2026#)");
    auto rs = db->OpenRecordset("SELECT * FROM arkiveringsdato WHERE ID = 2");
    EXPECT_EQ(rs->Field("arkiveringsdato").toDateTime(),
              QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
    auto b = db->OpenRecordset("SELECT Tentative, Beskrivelse FROM booking WHERE Bookingnr = 30");
    EXPECT_EQ(b->Field("Tentative").typeId(), QMetaType::Bool);
    EXPECT_TRUE(b->Field("Tentative").toBool());
    EXPECT_THROW(b->Field("nosuchfield"), Dao::DbError);
    EXPECT_THROW(b->Field(7), Dao::DbError);
}

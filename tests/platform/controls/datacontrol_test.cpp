#include "platform/controls/datacontrol.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/timeedit.h"
#include "platform/db/dberror.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QPixmap>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A picture box as a form may make one: a label whose picture is the value of its field.
class PictureBox : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QByteArray picture READ picture WRITE setPicture NOTIFY pictureChanged USER true)
public:
    QByteArray picture() const { return m_data; }
    void setPicture(const QByteArray &data)
    {
        m_data = data;
        QPixmap p;
        p.loadFromData(data);
        setPixmap(p);
        emit pictureChanged();
    }
signals:
    void pictureChanged();

private:
    QByteArray m_data;
};

QByteArray pngOf(const QColor &colour)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// A small file of its own: rooms with a name, a flag, a day number, notes and a group.
class DataControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("rooms.mdb");
        exec("CREATE TABLE rum (nr INTEGER PRIMARY KEY, navn TEXT, aktiv BOOLEAN, dag INTEGER,"
             " noter TEXT, gruppe INTEGER);"
             "INSERT INTO rum VALUES (1, 'Alfa', 1, 45000, 'first', 10);"
             "INSERT INTO rum VALUES (2, 'Beta', 0, 45001, NULL, 10);"
             "INSERT INTO rum VALUES (3, 'Gamma', 1, NULL, 'third', 20);");
        data.setDatabaseName(m_path);
        data.setRecordSource("rum");
        data.bind(&nr, "nr");
        data.bind(&navn, "navn");
        data.bind(&aktiv, "aktiv");
        data.bind(&dag, "dag");
        data.bind(&noter, "noter");
        data.bind(&gruppe, "gruppe");
    }
    void TearDown() override
    {
        data.Close();
    }

    // Runs SQL on the file through a connection of its own.
    void exec(const char *sql)
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.toUtf8().constData(), &db), SQLITE_OK);
        char *error = nullptr;
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
        const QString message = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << message.toStdString();
    }
    // The stored text of one value, "NULL" for Null; read past the data control.
    QString stored(const QString &sql)
    {
        sqlite3 *db = nullptr;
        sqlite3_open(m_path.toUtf8().constData(), &db);
        sqlite3_stmt *stmt = nullptr;
        QString result = QStringLiteral("<no row>");
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW) {
            result = sqlite3_column_type(stmt, 0) == SQLITE_NULL
                         ? QStringLiteral("NULL")
                         : QString::fromUtf8(
                             reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return result;
    }
    QString name(int key) { return stored(QString("SELECT navn FROM rum WHERE nr = %1").arg(key)); }

    QTemporaryDir m_dir;
    QString m_path;
    DataControl data;
    QLabel nr;
    QLineEdit navn;
    QCheckBox aktiv;
    DateEdit dag;
    QPlainTextEdit noter;
    QLineEdit gruppe;
};

TEST_F(DataControlTest, RefreshAndMovesShowTheCurrentRowInEveryKindOfBox)
{
    EXPECT_FALSE(data.isOpen());
    EXPECT_EQ(data.Recordset(), nullptr);
    data.Refresh();
    ASSERT_TRUE(data.isOpen());
    EXPECT_EQ(nr.text(), "1");
    EXPECT_EQ(navn.text(), "Alfa");
    EXPECT_TRUE(aktiv.isChecked());
    EXPECT_EQ(dag.value(), 45000);
    EXPECT_EQ(noter.toPlainText(), "first");
    EXPECT_EQ(data.position(), 0);
    EXPECT_FALSE(data.isDirty());   // filling the boxes is no change

    data.MoveNext();
    EXPECT_EQ(navn.text(), "Beta");
    EXPECT_FALSE(aktiv.isChecked());
    EXPECT_EQ(noter.toPlainText(), "");   // Null shows empty
    data.MoveLast();
    EXPECT_EQ(navn.text(), "Gamma");
    EXPECT_TRUE(dag.isNull());
    data.MovePrevious();
    EXPECT_EQ(nr.text(), "2");
    data.MoveFirst();
    EXPECT_EQ(nr.text(), "1");
    data.moveTo(2);
    EXPECT_EQ(nr.text(), "3");
    EXPECT_EQ(data.value("NAVN"), QVariant("Gamma"));   // field names are case-blind

    // Past the last row there is no current row: the boxes empty.
    data.MoveNext();
    EXPECT_FALSE(data.hasCurrentRow());
    EXPECT_EQ(data.position(), -1);
    EXPECT_EQ(navn.text(), "");
    EXPECT_TRUE(dag.isNull());
    EXPECT_FALSE(data.value("navn").isValid());
}

TEST_F(DataControlTest, AfterADeleteAMoveGoesOnWithoutWritingTheDeletedRow)
{
    data.Refresh();
    data.MoveNext();
    data.Recordset()->Delete();
    EXPECT_FALSE(data.hasCurrentRow());
    navn.setText("Typed into a deleted row");
    data.MoveNext();
    EXPECT_EQ(navn.text(), "Gamma");
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "2");
    EXPECT_EQ(name(3), "Gamma");
    data.Recordset()->Delete();   // the last row: no current row is left
    data.MoveNext();
    EXPECT_FALSE(data.hasCurrentRow());
    EXPECT_EQ(navn.text(), "");
}

TEST_F(DataControlTest, ABoxBoundWhileOpenShowsTheRowAtOnce)
{
    data.Refresh();
    QComboBox navnCombo;
    navnCombo.addItems({"Alfa", "Beta"});
    navnCombo.setCurrentIndex(1);
    data.bind(&navnCombo, "navn");
    EXPECT_EQ(navnCombo.currentText(), "Alfa");
    EXPECT_EQ(data.boundField(&navnCombo), "navn");
    data.unbind(&navnCombo);
    EXPECT_EQ(data.boundField(&navnCombo), "");
    data.MoveNext();
    EXPECT_EQ(navnCombo.currentText(), "Alfa");   // no longer follows
}

TEST_F(DataControlTest, ATypedChangeIsWrittenOnMovingOffTheRowAndNotBefore)
{
    data.Refresh();
    navn.selectAll();
    QTest::keyClicks(&navn, "Aleph");
    EXPECT_TRUE(data.isDirty());
    EXPECT_EQ(name(1), "Alfa");   // nothing written while typing

    // Only the changed field is written: a change made elsewhere to another field stays.
    exec("UPDATE rum SET noter = 'changed elsewhere' WHERE nr = 1");
    data.MoveNext();
    EXPECT_FALSE(data.isDirty());
    EXPECT_EQ(name(1), "Aleph");
    EXPECT_EQ(stored("SELECT noter FROM rum WHERE nr = 1"), "changed elsewhere");
    EXPECT_EQ(navn.text(), "Beta");

    // Code that sets a bound box changes the row as typing does; so do the other boxes.
    navn.setText("Bet");
    aktiv.setChecked(true);
    dag.setValue(45100);
    noter.setPlainText("two");
    data.MovePrevious();
    EXPECT_EQ(name(2), "Bet");
    EXPECT_EQ(stored("SELECT aktiv FROM rum WHERE nr = 2"), "1");
    EXPECT_EQ(stored("SELECT dag FROM rum WHERE nr = 2"), "45100");
    EXPECT_EQ(stored("SELECT noter FROM rum WHERE nr = 2"), "two");

    // Cleared text is written as Null.
    data.moveTo(2);
    noter.clear();
    data.FindFirst("nr = 1");
    EXPECT_EQ(stored("SELECT noter FROM rum WHERE nr = 3"), "NULL");
}

TEST_F(DataControlTest, CloseAndRefreshWriteAPendingChangeAndTheDestructorNothing)
{
    data.Refresh();
    navn.setText("On close");
    EXPECT_TRUE(data.Close());
    EXPECT_FALSE(data.isOpen());
    EXPECT_EQ(name(1), "On close");

    data.Refresh();
    navn.setText("On refresh");
    data.Refresh();
    EXPECT_EQ(name(1), "On refresh");
    EXPECT_EQ(navn.text(), "On refresh");

    // A control destroyed while open writes neither a changed row nor a started one: only a
    // form's own way out writes, through its checks.
    for (bool adding : {false, true}) {
        QLineEdit box;
        {
            DataControl local;
            local.setDatabaseName(m_path);
            local.setRecordSource("SELECT * FROM rum ORDER BY nr DESC");
            local.Refresh();
            local.bind(&box, "navn");
            EXPECT_EQ(box.text(), "Gamma");
            if (adding)
                local.AddNew();
            box.setText("Left open");
        }
        EXPECT_EQ(name(3), "Gamma");
        EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "3");
    }
}

TEST_F(DataControlTest, CancelUpdateAndUpdateControlsDropTypedChanges)
{
    data.Refresh();
    navn.setText("Dropped");
    data.CancelUpdate();
    EXPECT_EQ(navn.text(), "Alfa");
    EXPECT_FALSE(data.isDirty());
    navn.setText("Dropped too");
    data.UpdateControls();
    EXPECT_EQ(navn.text(), "Alfa");
    data.MoveNext();
    data.Close();
    EXPECT_EQ(name(1), "Alfa");
}

TEST_F(DataControlTest, FindFirstPositionsByCriteriaAndStaysWithoutAMatch)
{
    data.Refresh();
    struct Case { const char *criteria; int key; };
    const Case cases[] = {{"[nr]=3", 3}, {"nr = 2", 2}, {"gruppe =20", 3}, {"[navn]='Alfa'", 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.criteria);
        data.FindFirst(c.criteria);
        EXPECT_FALSE(data.Recordset()->NoMatch());
        EXPECT_EQ(nr.text(), QString::number(c.key));
    }
    data.FindFirst("[nr]=2");
    navn.setText("Written before the search");
    data.FindFirst("[nr]=99");
    EXPECT_TRUE(data.Recordset()->NoMatch());
    EXPECT_EQ(nr.text(), "2");
    EXPECT_EQ(navn.text(), "Written before the search");
    EXPECT_EQ(name(2), "Written before the search");
}

TEST_F(DataControlTest, AddNewThenUpdateRecordStoresANewRowAndShowsIt)
{
    data.Refresh();
    data.AddNew();
    EXPECT_EQ(data.Recordset()->editMode(), Dao::EditMode::AddNew);
    EXPECT_EQ(navn.text(), "");
    EXPECT_FALSE(aktiv.isChecked());
    navn.setText("Delta");
    gruppe.setText("30");
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "3");
    data.UpdateRecord();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "4");
    EXPECT_EQ(stored("SELECT gruppe FROM rum WHERE navn = 'Delta'"), "30");
    EXPECT_EQ(data.Recordset()->editMode(), Dao::EditMode::None);
    EXPECT_EQ(nr.text(), stored("SELECT nr FROM rum WHERE navn = 'Delta'"));   // the new key
    EXPECT_EQ(navn.text(), "Delta");

    // Changing the stored row again edits it; it adds nothing.
    navn.setText("Delta 2");
    data.UpdateRecord();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "4");
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum WHERE navn = 'Delta 2'"), "1");
}

TEST_F(DataControlTest, AStartedRowIsStoredOnCloseUnlessCancelled)
{
    data.Refresh();
    data.AddNew();
    navn.setText("Never stored");
    data.CancelUpdate();
    EXPECT_EQ(data.Recordset()->editMode(), Dao::EditMode::None);
    EXPECT_TRUE(data.hasCurrentRow());
    data.Close();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "3");

    // A dialog that adds a row saves it on close even when nothing was typed.
    data.Refresh();
    data.AddNew();
    data.Recordset()->SetField("gruppe", 40);   // preset by code, as an opener does
    data.UpdateControls();
    EXPECT_EQ(gruppe.text(), "40");
    EXPECT_EQ(data.Recordset()->editMode(), Dao::EditMode::AddNew);   // still adding
    data.Close();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "4");
    EXPECT_EQ(stored("SELECT navn FROM rum WHERE gruppe = 40"), "NULL");
}

TEST_F(DataControlTest, AReadOnlyControlWritesNothing)
{
    data.setReadOnly(true);
    data.Refresh();
    EXPECT_FALSE(data.Recordset()->Updatable());
    navn.setText("Not written");
    EXPECT_FALSE(data.isDirty());
    data.UpdateRecord();
    data.MoveNext();
    navn.setText("Not written either");
    data.Close();
    EXPECT_EQ(name(1), "Alfa");
    EXPECT_EQ(name(2), "Beta");
}

TEST_F(DataControlTest, TypedTextTravelsAsAValueNotAsSql)
{
    data.Refresh();
    const QString text = QStringLiteral("O'Brien'; DROP TABLE rum; -- æøå");
    navn.setText(text);
    data.MoveNext();
    EXPECT_EQ(name(1), text);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "3");
}

TEST_F(DataControlTest, AFailedWriteKeepsTheControlOpenWithTheChange)
{
    data.Refresh();
    navn.setText("Kept");
    gruppe.setText("not a number");
    EXPECT_THROW(data.Close(), Dao::DbError);
    EXPECT_TRUE(data.isOpen());
    EXPECT_TRUE(data.isDirty());
    EXPECT_THROW(data.MoveNext(), Dao::DbError);
    EXPECT_EQ(nr.text(), "1");   // the move did not happen
    EXPECT_EQ(name(1), "Alfa");

    gruppe.setText("11");
    data.Close();
    EXPECT_EQ(name(1), "Kept");
    EXPECT_EQ(stored("SELECT gruppe FROM rum WHERE nr = 1"), "11");
}

// Every operation that writes a pending row asks Validate first; a refused one does nothing
// else, and the row stays with the change in its box.
TEST_F(DataControlTest, ValidateDecidesEveryWriteOfAPendingRow)
{
    struct Way {
        const char *name;
        std::function<bool(DataControl &)> run;
    };
    const Way ways[] = {
        {"MoveNext", [](DataControl &d) { return d.MoveNext(); }},
        {"MoveLast", [](DataControl &d) { return d.MoveLast(); }},
        {"FindFirst", [](DataControl &d) { return d.FindFirst("nr = 3"); }},
        {"moveTo", [](DataControl &d) { return d.moveTo(2); }},
        {"AddNew", [](DataControl &d) { return d.AddNew(); }},
        {"Refresh", [](DataControl &d) { return d.Refresh(); }},
        {"UpdateRecord", [](DataControl &d) { return d.UpdateRecord(); }},
        {"Close", [](DataControl &d) { return d.Close(); }},
    };
    bool refuse = true;
    int asked = 0;
    QList<QPair<QVariant, bool>> written;
    QObject::connect(&data, &DataControl::Validate, &data, [&](bool &cancel) {
        ++asked;
        cancel = refuse;
    });
    QObject::connect(&data, &DataControl::Written, &data,
                     [&](const QVariant &key, bool added) { written << qMakePair(key, added); });
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        data.Refresh();
        asked = 0;
        refuse = true;
        navn.setText("Refused");
        EXPECT_FALSE(way.run(data));
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(data.isOpen());
        EXPECT_EQ(nr.text(), "1");   // nothing else happened
        EXPECT_EQ(data.Recordset()->editMode(), Dao::EditMode::None);
        EXPECT_EQ(navn.text(), "Refused");
        EXPECT_EQ(name(1), "Alfa");
        EXPECT_TRUE(written.isEmpty());

        refuse = false;
        EXPECT_TRUE(way.run(data));
        EXPECT_EQ(asked, 2);
        EXPECT_EQ(name(1), "Refused");
        ASSERT_EQ(written.size(), 1);
        EXPECT_EQ(written[0].first.toInt(), 1);
        EXPECT_FALSE(written[0].second);
        written.clear();
        exec("UPDATE rum SET navn = 'Alfa' WHERE nr = 1");
        if (data.isOpen())
            data.CancelUpdate();
    }

    // A started row is asked for too, also with nothing typed; Written gives its new key.
    data.Refresh();
    data.AddNew();
    refuse = true;
    EXPECT_FALSE(data.MoveFirst());
    EXPECT_EQ(data.Recordset()->editMode(), Dao::EditMode::AddNew);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "3");
    refuse = false;
    EXPECT_TRUE(data.MoveFirst());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "4");
    ASSERT_EQ(written.size(), 1);
    EXPECT_EQ(written[0].first.toInt(), 4);
    EXPECT_TRUE(written[0].second);

    // With nothing pending nothing is asked.
    asked = 0;
    data.MoveNext();
    data.Close();
    EXPECT_EQ(asked, 0);
}

TEST_F(DataControlTest, OpenFailuresThrowAndLeaveTheControlClosed)
{
    data.setRecordSource("no_such_table");
    EXPECT_THROW(data.Refresh(), Dao::DbError);
    EXPECT_FALSE(data.isOpen());
    data.setRecordSource("");
    EXPECT_THROW(data.Refresh(), Dao::DbError);
    data.setRecordSource("rum");
    data.setDatabaseName(m_dir.filePath("missing.mdb"));
    EXPECT_THROW(data.Refresh(), Dao::DbError);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("missing.mdb")));
    EXPECT_THROW(data.MoveNext(), Dao::DbError);
    data.setDatabaseName(m_path);
    data.Refresh();
    EXPECT_EQ(navn.text(), "Alfa");
}

TEST_F(DataControlTest, AnEmptySourceHasNoCurrentRow)
{
    data.setRecordSource("SELECT * FROM rum WHERE nr > 100");
    data.Refresh();
    EXPECT_FALSE(data.hasCurrentRow());
    EXPECT_EQ(navn.text(), "");
    EXPECT_TRUE(data.rowValues({"navn"}).isEmpty());
    navn.setText("Nowhere to go");
    data.Close();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM rum"), "3");
}

TEST_F(DataControlTest, AStoredQueryIsWrittenThroughItsTriggers)
{
    // A query that shows a minute column as seconds, and turns seconds back into minutes
    // when a row is written through it.
    exec("ALTER TABLE rum ADD COLUMN minut INTEGER;"
         "UPDATE rum SET minut = 600 WHERE nr = 1;"
         "CREATE VIEW rumvis AS SELECT nr, navn, minut * 60 AS sek FROM rum;"
         "CREATE TRIGGER rumvis_update INSTEAD OF UPDATE ON rumvis BEGIN"
         " UPDATE rum SET navn = NEW.navn, minut = NEW.sek / 60 WHERE nr = OLD.nr; END;");
    DataControl view;
    view.setDatabaseName(m_path);
    view.setRecordSource("rumvis");
    QLineEdit viewName;
    TimeEdit start;
    view.bind(&viewName, "navn");
    view.bind(&start, "sek");
    view.Refresh();
    EXPECT_EQ(start.value(), 36000);
    EXPECT_EQ(start.text(), "10:00:00");
    start.setValue(37800);
    view.UpdateRecord();
    EXPECT_EQ(stored("SELECT minut FROM rum WHERE nr = 1"), "630");
    EXPECT_EQ(name(1), "Alfa");
    EXPECT_EQ(start.value(), 37800);
    viewName.setText("Alfa view");
    view.Close();
    EXPECT_EQ(name(1), "Alfa view");
}

TEST_F(DataControlTest, APictureFieldShowsInALabelAndIsWrittenFromAPictureBox)
{
    exec("ALTER TABLE rum ADD COLUMN billede BLOB;");
    {
        // Stored by a connection of its own, as a picture already in the file.
        sqlite3 *db = nullptr;
        sqlite3_open(m_path.toUtf8().constData(), &db);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "UPDATE rum SET billede = ? WHERE nr = 1", -1, &stmt, nullptr);
        const QByteArray red = pngOf(Qt::red);
        sqlite3_bind_blob(stmt, 1, red.constData(), int(red.size()), SQLITE_TRANSIENT);
        sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
    }
    QLabel shown;
    PictureBox logo;
    data.bind(&shown, "billede");
    data.bind(&logo, "billede");
    data.Refresh();
    EXPECT_EQ(shown.pixmap().size(), QSize(4, 3));
    EXPECT_EQ(logo.pixmap().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_FALSE(data.isDirty());

    logo.setPicture(pngOf(Qt::blue));
    EXPECT_TRUE(data.isDirty());
    data.Close();
    data.Refresh();
    EXPECT_EQ(shown.pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(DataControlTest, RowValuesReadEveryRowAndKeepTheCurrentOne)
{
    data.Refresh();
    data.MoveNext();
    const QList<QVariantList> rows = data.rowValues({"navn", "nr"});
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2][0], QVariant("Gamma"));
    EXPECT_EQ(rows[0][1].toInt(), 1);
    EXPECT_EQ(data.position(), 1);
    EXPECT_EQ(data.value("navn"), QVariant("Beta"));
}

} // namespace

#include "datacontrol_test.moc"

#include "fixtures/sandbox.h"

#include "core/bookingfilechoice.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/introconnect.h"
#include "core/start.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/form.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Generalen;

namespace {

const QString kNoDatabase = "No default database is connected. Connect to an existing database "
                            "or create a new.";

// IntroConnect up after a refused stored bookingfile, with a scripted file dialog.
class ChoiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetState();
        sandbox.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
        stored = sandbox.newBookingfile("stored.mdb");
        sandbox.setChosenPath(stored);
        gDatabasePath = stored;   // as a start-up that refused the stored file leaves it
        FilePicker::setScript([this](bool save, const QString &title) {
            asked.append({save, title});
            return answer;
        });
        form = Forms::get<IntroConnect>();
        form->Show();
    }
    void TearDown() override
    {
        FilePicker::setScript(nullptr);
        resetState();
    }
    QString sti() const
    {
        return sqlValue(sandbox.file("paths.mdb"), "SELECT sti FROM stitabel").toString();
    }
    bool loginUp() const
    {
        return Forms::isLoaded<frmLogin>() && Forms::get<frmLogin>()->isVisible();
    }

    Sandbox sandbox;
    QString stored;
    QString answer;   // what the dialog returns; empty: cancelled
    QList<QPair<bool, QString>> asked;
    IntroConnect *form = nullptr;
};

} // namespace

TEST_F(ChoiceTest, OpenRefusesWhatIsNoLowerCaseMdbDatabase)
{
    const QString capitals = sandbox.newBookingfile("Spring.MDB");
    const QString text = sandbox.file("notes.mdb");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("a list of rooms, not a database");
    f.close();
    const QString otherExtension = sandbox.newBookingfile("spring.accdb");
    for (const QString &path : {capitals, text, otherExtension, sandbox.file("missing.mdb")}) {
        SCOPED_TRACE(path.toStdString());
        sandbox.clearShown();
        answer = path;
        form->Openf_Click();
        ASSERT_EQ(sandbox.shown().size(), 1);
        EXPECT_EQ(sandbox.shown()[0].text, path + " is not a valid Vantix Bookingfile!");
        EXPECT_EQ(sandbox.shown()[0].title, "File Error");
        EXPECT_EQ(sandbox.shown()[0].style, 0);
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(Forms::isLoaded<frmLogin>());
        EXPECT_EQ(sti(), stored);
    }
    ASSERT_FALSE(asked.isEmpty());
    EXPECT_EQ(asked[0], qMakePair(false, QString("Vantix - Open existing bookingfile")));
}

TEST_F(ChoiceTest, CancelledDialogsChangeNothing)
{
    answer.clear();
    form->Openf_Click();
    form->Createf_Click();
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(sandbox.shown().isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(Forms::isLoaded<frmLogin>());
    EXPECT_EQ(sti(), stored);
}

TEST_F(ChoiceTest, OpenAcceptsADatabaseThatStartUpThenRefuses)
{
    const QString noMarker = sandbox.newBookingfile("plain.mdb");
    execSql(noMarker, "DROP TABLE RUC");
    answer = noMarker;
    form->Openf_Click();
    EXPECT_EQ(sti(), noMarker);
    EXPECT_EQ(gDatabasePath, noMarker);
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_TRUE(sandbox.lastText().contains("lacks the table RUC"))
        << sandbox.lastText().toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(Forms::isLoaded<frmLogin>());

    const QString good = sandbox.newBookingfile("good.mdb");
    answer = good;
    form->Openf_Click();
    EXPECT_EQ(sti(), good);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(loginUp());
}

TEST_F(ChoiceTest, CreateCopiesTheEmptyBookingfileUnderTheNameWithMdb)
{
    const QString folder = sandbox.file("books");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString winter = folder + "/Winter.mdb";
    const QString objects = "SELECT group_concat(name) FROM (SELECT name FROM sqlite_master "
                            "ORDER BY name)";
    const QString template_ = sandbox.file("Emptydatabase.mdb");
    for (const QString &typed : {QString("Winter"), QString("Winter.mdb")}) {
        SCOPED_TRACE(typed.toStdString());
        QFile::remove(winter);   // replacing a file is a case of its own
        asked.clear();
        answer = folder + "/" + typed;
        form->Show();
        form->Createf_Click();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0], qMakePair(true, QString("Vantix - Create new bookingfile")));
        EXPECT_TRUE(QFile::exists(winter));
        EXPECT_EQ(sqlValue(winter, objects), sqlValue(template_, objects));
        EXPECT_EQ(sqlValue(winter, "SELECT COUNT(*) FROM booking").toLongLong(), 0);
        EXPECT_EQ(sti(), winter);
        EXPECT_EQ(gDatabasePath, winter);
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(loginUp());
        EXPECT_TRUE(sandbox.shown().isEmpty());
        Forms::get<frmLogin>()->Hide();
        // The day's run behind the login works on the new file: its journal may still be there.
        start::WaitForDailyArchiving();
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Winter.mdb"});
}

TEST_F(ChoiceTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    const QString summer = sandbox.newBookingfile("Summer.mdb");
    execSql(summer, "INSERT INTO booking (Bookingnr, Bdato) VALUES (5, 46000)");
    sandbox.answer(MsgBox::No);
    answer = summer;
    form->Createf_Click();
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "Create new bookingfile");
    EXPECT_EQ(sandbox.shown()[0].style,
              MsgBox::YesNo | MsgBox::Exclamation | MsgBox::DefaultButton2);
    EXPECT_EQ(sqlValue(summer, "SELECT COUNT(*) FROM booking").toLongLong(), 1);
    EXPECT_EQ(sti(), stored);
    EXPECT_EQ(gDatabasePath, stored);

    // Yes replaces it with an empty bookingfile, which becomes the one in use.
    sandbox.clearShown();
    sandbox.answer(MsgBox::Yes);
    form->Show();
    form->Createf_Click();
    EXPECT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sqlValue(summer, "SELECT COUNT(*) FROM booking").toLongLong(), 0);
    EXPECT_EQ(gDatabasePath, summer);
    Forms::get<frmLogin>()->Hide();

    // The bookingfile in use is never replaced.
    execSql(summer, "INSERT INTO booking (Bookingnr, Bdato) VALUES (9, 46000)");
    sandbox.clearShown();
    form->Show();
    form->Createf_Click();
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "Illegal filename");
    EXPECT_TRUE(sandbox.lastText().contains("in use"));
    EXPECT_EQ(sqlValue(summer, "SELECT COUNT(*) FROM booking").toLongLong(), 1);
}

// A create that copies nothing leaves the form open on the file stored before: start-up would
// only refuse it again.
TEST_F(ChoiceTest, AnEmptyNameKeepsTheFormOpenOnTheFileStoredBefore)
{
    answer = sandbox.folder() + "/";
    form->Createf_Click();
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].text, "Filename Empty");
    EXPECT_EQ(sandbox.shown()[0].title, "Illegal filename");
    EXPECT_EQ(sandbox.shown()[0].style, 0);
    EXPECT_EQ(sti(), stored);
    EXPECT_EQ(gDatabasePath, stored);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(loginUp());
}

TEST_F(ChoiceTest, ACopyThatCannotBeWrittenKeepsTheStoredFile)
{
    answer = sandbox.file("no such folder") + "/Winter";
    form->Createf_Click();
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "File Error");
    EXPECT_TRUE(sandbox.lastText().contains("could not be written"));
    EXPECT_EQ(sti(), stored);
    EXPECT_EQ(gDatabasePath, stored);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(loginUp());
}

// The refused bookingfile is not the one in use: it can be replaced under its own name, and the
// new, empty file leads to the login. Once start-up accepted a file, that one is never replaced.
TEST_F(ChoiceTest, ARefusedBookingfileIsReplacedUnderItsOwnName)
{
    const QString winter = sandbox.newBookingfile("Winter.mdb");
    execSql(winter, "DROP TABLE RUC");
    sandbox.setChosenPath(winter);
    ASSERT_FALSE(start::StartUp());
    EXPECT_EQ(gDatabasePath, winter);
    EXPECT_EQ(start::AcceptedBookingfile(), QString());
    sandbox.clearShown();

    sandbox.answer(MsgBox::Yes);
    answer = winter;
    form->Createf_Click();
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "Create new bookingfile");
    EXPECT_EQ(sqlValue(winter, "SELECT COUNT(*) FROM RUC").toLongLong(), 1);
    EXPECT_TRUE(loginUp());
    EXPECT_EQ(start::AcceptedBookingfile(), winter);

    sandbox.clearShown();
    form->Show();
    form->Createf_Click();
    ASSERT_EQ(sandbox.shown().size(), 1);
    EXPECT_EQ(sandbox.shown()[0].title, "Illegal filename");
    EXPECT_TRUE(sandbox.lastText().contains("in use"));
}

TEST_F(ChoiceTest, ExitEndsTheProgram)
{
    form->exit_Click();
    EXPECT_TRUE(sandbox.programEnded());
}

#include "platform/controls/filepicker.h"

#include <gtest/gtest.h>

namespace {

class FilePickerTest : public ::testing::Test
{
protected:
    void TearDown() override { FilePicker::setScript(nullptr); }

    // Confirms the dialog with path; records what was asked.
    void choose(const QString &path)
    {
        FilePicker::setScript([this, path](bool save, const QString &title) {
            askedSave = save;
            askedTitle = title;
            return path;
        });
    }

    bool askedSave = false;
    QString askedTitle;
};

TEST_F(FilePickerTest, PartsOfTheChosenPath)
{
    struct Case { const char *path, *ext, *title, *base, *folder; };
    const Case cases[] = {
        {"/books/Winter", "", "Winter", "Winter", "/books/"},
        {"/books/Winter.mdb", "mdb", "Winter.mdb", "Winter", "/books/"},
        {"/books/x.MDB", "MDB", "x.MDB", "x", "/books/"},
        {"/books/old.winter.mdb", "mdb", "old.winter.mdb", "old.winter", "/books/"},
        {"/books/", "", "", "", "/books/"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        FilePicker picker;
        choose(QString::fromUtf8(c.path));
        ASSERT_TRUE(picker.ShowOpen());
        EXPECT_EQ(picker.FullPath(), QString::fromUtf8(c.path));
        EXPECT_EQ(picker.Extension(), QString::fromUtf8(c.ext));
        EXPECT_EQ(picker.FileTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(picker.BaseName(), QString::fromUtf8(c.base));
        EXPECT_EQ(picker.Folder(), QString::fromUtf8(c.folder));
    }
}

TEST_F(FilePickerTest, OpenAndSaveAskWithTheirTitle)
{
    FilePicker picker;
    picker.setDialogTitle("Vantix - Open existing bookingfile");
    choose("/books/a.mdb");
    EXPECT_TRUE(picker.ShowOpen());
    EXPECT_FALSE(askedSave);
    EXPECT_EQ(askedTitle, "Vantix - Open existing bookingfile");

    EXPECT_TRUE(picker.ShowSave("Vantix - Create new bookingfile", "*.*"));
    EXPECT_TRUE(askedSave);
    EXPECT_EQ(askedTitle, "Vantix - Create new bookingfile");
}

TEST_F(FilePickerTest, CancelAnswersFalseAndKeepsTheLastChoice)
{
    FilePicker picker;
    choose("/books/a.mdb");
    ASSERT_TRUE(picker.ShowOpen());
    choose(QString());
    EXPECT_FALSE(picker.ShowSave());
    EXPECT_EQ(picker.FullPath(), "/books/a.mdb");
}

TEST_F(FilePickerTest, PatternsBecomeQtFilters)
{
    EXPECT_EQ(FilePicker::qtFilter("*.*"), "*");
    EXPECT_EQ(FilePicker::qtFilter("*.mdb"), "*.mdb");
    EXPECT_EQ(FilePicker::qtFilter("JPEG files(*.jpg)|*.jpg|GIF files (*.gif)|*.gif"),
              "JPEG files(*.jpg) (*.jpg);;GIF files (*.gif) (*.gif)");
    EXPECT_EQ(FilePicker::qtFilter("Pictures|*.jpg;*.bmp|All|*.*"),
              "Pictures (*.jpg *.bmp);;All (*)");
}

} // namespace

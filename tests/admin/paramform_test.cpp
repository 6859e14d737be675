#include "adminfixture.h"

#include "admin/accountmenu.h"
#include "admin/editdep.h"
#include "admin/editfloorp.h"
#include "admin/edithomeb.h"
#include "admin/paramform.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/dblist.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/picturebox.h"
#include "platform/report/printcapture.h"
#include "reports/kontoudskrift.h"
#include "reports/reportframe.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace Generalen;

namespace {

class ParamformTest : public AdminTest
{
protected:
    Paramform *form()
    {
        if (!Forms::isLoaded<Paramform>())
            AccountMenu::showParamform(*planner);
        return Forms::get<Paramform>();
    }
    QString picture(const QString &name, QColor colour, const char *format)
    {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = sb.file(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    void chooseFile(const QString &path)
    {
        FilePicker::setScript([path](bool, const QString &) { return path; });
    }
    QByteArray storedLogo()
    {
        return sqlValue(file, "SELECT Logopic FROM institutionsoplysninger").toByteArray();
    }
    static QStringList shown(const DBList *list)
    {
        QStringList rows;
        for (int i = 0; i < list->ListCount(); ++i)
            rows << list->List(i);
        return rows;
    }
};

TEST_F(ParamformTest, EveryExitSavesTheCompanyData)
{
    const std::function<QPushButton *(Paramform *)> exits[] = {
        [](Paramform *f) { return f->Luk3; }, [](Paramform *f) { return f->Lukknap1; },
        [](Paramform *f) { return f->Luk; }, [](Paramform *f) { return f->Luk2; }};
    int n = 0;
    for (const auto &exit : exits) {
        const QString name = QString("Riverside %1").arg(++n);
        form()->Instutionsnavn->setText(name);
        form()->Tekst61->setText("Aarhus");
        EXPECT_EQ(exit(form())->toolTip(), "Luk formular");
        exit(form())->click();
        EXPECT_FALSE(Forms::isLoaded<Paramform>());
        EXPECT_EQ(sqlValue(file, "SELECT Instutionsnavn || Instutionsby FROM "
                                 "institutionsoplysninger"),
                  name + "Aarhus");
    }
}

TEST_F(ParamformTest, TheLogoFromAFileIsTheOneTheReportsPrint)
{
    const QString red = picture("red.bmp", Qt::red, "BMP");
    chooseFile(red);
    form()->changelogo_Click();
    EXPECT_EQ(form()->CmdLoad.Pattern(), "JPEG files(*.jpg)|*.jpg|GIF files (*.gif)|*.gif|"
                                         "Bitmap files (*.bmp)|*.bmp");
    EXPECT_FALSE(form()->Logo->isEmpty());

    // A cancelled dialog and a file that is no picture keep it.
    chooseFile(QString());
    form()->changelogo_Click();
    QFile text(sb.file("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no picture");
    text.close();
    chooseFile(text.fileName());
    form()->changelogo_Click();
    EXPECT_EQ(sb.lastText(), "The file notes.jpg holds no picture that can be shown.");
    form()->Luk3_Click();

    QFile file(red);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(storedLogo(), file.readAll());

    PrintCapture capture;
    Reports::get<kontoudskrift>()->Show();
    ASSERT_EQ(capture.previews.size(), 1);
    QImage printed;
    for (const PageItem &item : capture.previews[0].page(0).items) {
        if (item.kind == PageItem::Picture)
            printed = item.image;
    }
    ASSERT_FALSE(printed.isNull());
    EXPECT_EQ(printed.size(), QSize(40, 20));
    EXPECT_EQ(printed.pixelColor(5, 5), QColor(Qt::red));
}

// One list of the parameters: its dialog, its buttons and its table.
struct ListCase
{
    const char *name;
    std::function<ParamDialog *()> dialog;
    std::function<QLineEdit *(ParamDialog *)> nameBox;
    void (Paramform::*add)();
    void (Paramform::*edit)();
    void (Paramform::*remove)();
    std::function<DBList *(Paramform *)> list;
    const char *caption;
    const char *refusal;
    const char *table;
    const char *field;
};

class ParamListTest : public ParamformTest, public ::testing::WithParamInterface<ListCase>
{};

TEST_P(ParamListTest, AddEditAndDeleteShowAtOnce)
{
    const ListCase &c = GetParam();
    Paramform *f = form();
    DBList *list = c.list(f);
    const int before = list->ListCount();

    (f->*c.add)();
    ParamDialog *dialog = c.dialog();
    EXPECT_EQ(dialog->windowTitle(), c.caption);
    dialog->ok_Click();   // an empty name is refused
    EXPECT_TRUE(Forms::loaded().contains(dialog));
    EXPECT_TRUE(sb.lastText().startsWith("Fill in the "));
    dialog->close();      // and closing the dialog stores nothing
    EXPECT_EQ(count(c.table, "1"), before);

    (f->*c.add)();
    c.nameBox(c.dialog())->setText("Alpha");
    QTest::keyClick(c.nameBox(c.dialog()), Qt::Key_Return);   // Enter is Ok
    EXPECT_EQ(list->ListCount(), before + 1);
    EXPECT_TRUE(shown(list).contains("Alpha"));

    // Edit and Delete without a chosen row refuse and change nothing.
    list->setListIndex(-1);
    sb.clearShown();
    (f->*c.edit)();
    (f->*c.remove)();
    ASSERT_EQ(sb.shown().size(), 2);
    for (const MsgBox::Shown &box : sb.shown()) {
        EXPECT_EQ(box.text.toStdString(), c.refusal);
        EXPECT_EQ(box.title, "Message");
    }
    EXPECT_EQ(count(c.table, "1"), before + 1);

    list->setListIndex(int(shown(list).indexOf("Alpha")));
    (f->*c.edit)();
    QLineEdit *box = c.nameBox(c.dialog());
    EXPECT_EQ(box->text(), "Alpha");
    box->setText("Beta");
    c.dialog()->ok_Click();
    EXPECT_TRUE(shown(list).contains("Beta"));
    EXPECT_FALSE(shown(list).contains("Alpha"));

    list->setListIndex(int(shown(list).indexOf("Beta")));
    sb.answer(MsgBox::No);
    (f->*c.remove)();
    EXPECT_EQ(sb.lastText(), "Confirm deletion ?");
    EXPECT_EQ(sb.shown().last().title, "Deletion Message");
    EXPECT_EQ(count(c.table, QString("%1 = 'Beta'").arg(c.field)), 1);
    (f->*c.remove)();
    EXPECT_EQ(count(c.table, QString("%1 = 'Beta'").arg(c.field)), 0);
    EXPECT_EQ(list->ListCount(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ParamListTest,
    ::testing::Values(
        ListCase{"Departments", [] { return Forms::get<Editdep>(); },
                 [](ParamDialog *d) { return static_cast<Editdep *>(d)->depname; },
                 &Paramform::AddDep_Click, &Paramform::edit_Click, &Paramform::delete_Click,
                 [](Paramform *f) { return f->dep; }, "Vantix -  Department",
                 "Choose Department", "Department", "depname"},
        ListCase{"FloorPlans", [] { return Forms::get<EditFloorP>(); },
                 [](ParamDialog *d) { return static_cast<EditFloorP *>(d)->opstilling; },
                 &Paramform::AddFp_Click, &Paramform::Editfp_Click,
                 &Paramform::Kommandoknap63_Click, [](Paramform *f) { return f->FPlan; },
                 "Vantix -  Floor Plan", "Choose Floor Plan", "opstilling", "Opstilling"},
        ListCase{"Homebases", [] { return Forms::get<Edithomeb>(); },
                 [](ParamDialog *d) { return static_cast<Edithomeb *>(d)->Homebase; },
                 &Paramform::addhb_Click, &Paramform::EditHB_Click,
                 &Paramform::Slethomebse_Click, [](Paramform *f) { return f->homeb; },
                 "Vantix -  Homebase", "Choose Homebase", "Homebases", "Homebase"}),
    [](const ::testing::TestParamInfo<ListCase> &info) { return std::string(info.param.name); });

} // namespace

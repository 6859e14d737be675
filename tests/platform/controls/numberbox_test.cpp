#include "platform/controls/maskededit.h"
#include "platform/controls/msgbox.h"

#include <QDialog>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A number box in a dialog with a second box to leave it for and an Ok button, typed into as a user does.
class NumberBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_locale = QLocale();
        MsgBox::setHandler([this](const MsgBox::Shown &shown) {
            messages << shown.text;
            return int(MsgBox::Ok);
        });
        auto *layout = new QVBoxLayout(&window);
        box = new MaskedEdit(&window);
        box->setFieldName("Fee");
        next = new QLineEdit(&window);
        auto *ok = new QPushButton("Ok", &window);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
        layout->addWidget(box);
        layout->addWidget(next);
        layout->addWidget(ok);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override
    {
        QLocale::setDefault(m_locale);
        MsgBox::setHandler(nullptr);
    }

    void type(const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void leave() { QTest::keyClick(box, Qt::Key_Tab); }

    QLocale m_locale;
    QStringList messages;
    QDialog window;
    MaskedEdit *box = nullptr;
    QLineEdit *next = nullptr;
};

const char kNotANumber[] = "Fee must be a number, such as 1250.50 or 1250,50, without thousands "
                           "separators.";

// What is typed, what the box then shows and says, and what it holds once it is left: a number
// read exactly, or the refusal and the box's number from before.
TEST_F(NumberBoxTest, ReadsAPointOrACommaAndRefusesWhatItCannotReadExactly)
{
    struct Case
    {
        QLocale::Language desktop;
        const char *format, *typed, *whileTyping, *message, *left;
        QVariant value;
        bool keepsFocus = false;   // refused as the box is left
    };
    const auto English = QLocale::English, Danish = QLocale::Danish;
    const Case cases[] = {
        {English, "", "1234,50", "1234,50", nullptr, "1234.5", 1234.5},
        {English, "", "1234.5", "1234.5", nullptr, "1234.5", 1234.5},
        {English, "", " 7 ", " 7 ", nullptr, "7", 7.0},
        {English, "", "-", "", "Fee cannot be negative: type the number without a minus.", "",
         QVariant()},
        {English, "", "12a", "12", kNotANumber, "12", 12.0},
        {English, "", "1.250,", "1.250", kNotANumber, "1.25", 1.25},
        {English, "", "1 2", "1 ", kNotANumber, "1", 1.0},
        {English, "", ",", ",", kNotANumber, ",", QVariant(), true},
        {English, "", "1234567890123", "123456789012", "Fee is too large.", "123456789012",
         123456789012.0},
        {English, "", "1,250", "1,250",
         "Fee: 1,250 may mean 1250 or 1.250. Type the number without a thousands separator.",
         "1,250", QVariant(), true},
        {English, "0.00", "87,5", "87,5", nullptr, "87.50", 87.5},
        {English, "0.00", "1.255", "1.25", "Fee takes 2 decimals at most.", "1.25", 1.25},
        {English, "0", "12.", "12", "Fee must be a whole number, such as 12.", "12",
         qlonglong(12)},
        {Danish, "", "1,250", "1,250", nullptr, "1.25", 1.25},
        {Danish, "", "1.250", "1.250",
         "Fee: 1.250 may mean 1250 or 1.250. Type the number without a thousands separator.",
         "1.250", QVariant(), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        QLocale::setDefault(QLocale(c.desktop));
        box->setFormat(c.format);
        box->setValue(QVariant());
        messages.clear();
        type(c.typed);
        EXPECT_EQ(box->text(), c.whileTyping);
        leave();
        EXPECT_EQ(box->text(), c.left);
        ASSERT_EQ(messages.size(), c.message ? 1 : 0);
        if (c.message)
            EXPECT_EQ(messages[0].toStdString(), c.message);
        EXPECT_EQ(box->Value(), c.value);
        // A text refused as the box is left keeps the focus; a number lets it go.
        EXPECT_EQ(box->hasFocus(), c.keepsFocus);
    }
}

// A text that may be read two ways is held by Enter (the dialog's Ok) and by the close box;
// once it is a number both go on.
TEST_F(NumberBoxTest, EnterAndTheCloseBoxWaitForANumber)
{
    QLocale::setDefault(QLocale(QLocale::English));
    box->setValue(40);
    type("2,500");
    EXPECT_DOUBLE_EQ(box->Value().toDouble(), 40.0);   // what it held before
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), 0);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(box->text(), "2,500");

    type("2500");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(box->Value().toDouble(), 2500.0);
    EXPECT_EQ(messages.size(), 2);
}

// Code sets what the file holds, also a number the user could not type; leaving the box
// says nothing of it.
TEST_F(NumberBoxTest, ATextSetByCodeIsNotRefused)
{
    box->setFormat("0.00");
    box->setValue(-50);
    EXPECT_EQ(box->text(), "-50.00");
    EXPECT_DOUBLE_EQ(box->Value().toDouble(), -50.0);
    box->setValue(3.456);
    EXPECT_EQ(box->text(), "3.46");
    box->setText("abc");
    box->setFocus();
    leave();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(box->number());
    box->setValue(QVariant());
    EXPECT_TRUE(box->Value().isNull());

    MaskedEdit plain;   // without a format the number shows as it stands
    plain.setValue(150.0);
    EXPECT_EQ(plain.text(), "150");
    EXPECT_TRUE(MaskedEdit().Value().isNull());
}

} // namespace

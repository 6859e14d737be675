#include "platform/report/reportformat.h"

#include <QDateTime>
#include <QLocale>

#include <gtest/gtest.h>

struct FormatCase
{
    QVariant value;
    const char *pattern;
    const char *expected;
};

class ReportFormatTest : public ::testing::TestWithParam<FormatCase>
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

// The same text on a desktop in any language and region.
TEST_P(ReportFormatTest, PrintsTheValueByThePatternWhateverTheDesktopsLocale)
{
    const FormatCase &c = GetParam();
    for (const QLocale &desktop : {QLocale(QLocale::English, QLocale::UnitedStates),
                                   QLocale(QLocale::Danish, QLocale::Denmark)}) {
        QLocale::setDefault(desktop);
        EXPECT_EQ(ReportFormat::format(c.value, QString::fromUtf8(c.pattern)),
                  QString::fromUtf8(c.expected))
            << "pattern " << c.pattern << " value " << c.value.toString().toStdString()
            << " under " << desktop.name().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, ReportFormatTest,
    ::testing::Values(
        FormatCase{300.0, "0.00", "300.00"},
        FormatCase{75, "0.00", "75.00"},
        FormatCase{1.005, "0.00", "1.01"},          // a half rounds away from zero
        FormatCase{-2.5, "0", "-3"},
        FormatCase{-0.001, "0.00", "0.00"},         // no minus on a zero
        FormatCase{1234567.891, "#,##0.00", "1,234,567.89"},
        FormatCase{999.5, "#,##0", "1,000"},
        FormatCase{0, "#,##0", "0"},
        FormatCase{1.5, "#,##0.00", "1.50"},
        FormatCase{12.5, "Fixed", "12.50"},
        FormatCase{0.25, "Fixed", "0.25"},
        FormatCase{1234.5, "Fixed", "1234.50"},
        FormatCase{QString("42"), "0.00", "42.00"},  // a numeric text is a number
        FormatCase{QString("n/a"), "0.00", "n/a"},   // other text prints as it is
        FormatCase{QVariant(), "0.00", ""},          // Null prints nothing
        FormatCase{QDate(2024, 3, 5), "dd-mm-yyyy", "05-03-2024"},
        FormatCase{QDate(2024, 3, 5), "mm/dd/yyyy", "03/05/2024"},
        FormatCase{QDate(2024, 3, 5), "mmmm d, yyyy", "March 5, 2024"},
        FormatCase{QDate(2024, 3, 5), "dddd", "Tuesday"},
        FormatCase{QDateTime(QDate(1899, 12, 30), QTime(8, 5)), "h:mm", "8:05"},
        FormatCase{QTime(8, 5), "hh:mm", "08:05"},
        FormatCase{QTime(17, 30), "HH.mm", "17.30"},
        FormatCase{QTime(17, 30), "Short Time", "17:30"},
        FormatCase{QTime(17, 30), "h:mm AM/PM", "5:30 PM"},
        // The short date is the program's pattern, by default day first.
        FormatCase{QDateTime(QDate(2024, 3, 5), QTime(0, 0)), "Short Date", "05-03-2024"},
        FormatCase{QDate(2024, 3, 5), "", "05-03-2024"},
        FormatCase{QDate(2024, 3, 5), "Long Date", "Tuesday, March 5, 2024"},
        FormatCase{45356.5, "dd-mm-yyyy hh:mm", "05-03-2024 12:00"},   // a date serial
        FormatCase{true, "", "True"},
        FormatCase{2.50, "", "2.5"}));

// The account list: headings by type and status, and the frame's logo on every run.
#include "reportfixture.h"

#include "core/generalen.h"
#include "reports/kontoudskrift.h"

#include <gtest/gtest.h>

TEST(AccountList, HeadsTypesAndStatusesOnlyPersonalIsLowerCaseP)
{
    ReportFixture f;
    f.exec({"INSERT INTO Konti (ID, Kontonavn, Kontotype, archived, Kontouser, KontoPass) "
            "VALUES (2, 'Bent', 'P', 0, 'bent', 'pw2'), (3, 'Carl', '', 0, NULL, NULL), "
            "(4, 'Dora', 'p', NULL, 'dora', 'pw4'), (5, 'Eva', 'p', 1, 'eva', 'pw5'), "
            "(6, 'Project X', 'g', 0, NULL, NULL)"});
    kontoudskrift *report = Reports::get<kontoudskrift>();
    report->Show();
    const QStringList texts = f.shownTexts();
    const QStringList headings{"Personal", "Group", "Active", "Archived"};
    const QStringList names{"Administrator", "Bent", "Carl", "Dora", "Eva", "Project X"};
    QStringList seen;   // the administrator's name and contact are the same
    for (const QString &t : texts) {
        if (headings.contains(t) || names.contains(t))
            seen.append(t);
    }
    EXPECT_EQ(seen, (QStringList{"Personal", "Active", "Administrator", "Administrator", "Dora",
                                 "Archived", "Eva",
                                 "Group", "Active", "Carl", "Group", "Active", "Bent",
                                 "Group", "Active", "Project X"}));
    for (const char *text : {"Accounts", "Name", "Contact", "Phone", "Mail", "Username",
                             "Password", "Admin", "admin", "pw4"})
        EXPECT_TRUE(texts.contains(text)) << text;
}

TEST(AccountList, TwoRunsEachPrintTheLogo)
{
    ReportFixture f(true);
    kontoudskrift *report = Reports::get<kontoudskrift>();
    report->Show();
    report->Show();
    ASSERT_EQ(f.capture.previews.size(), 2);
    for (const PageModel &model : f.capture.previews) {
        for (int page = 0; page < model.pageCount(); ++page)
            EXPECT_EQ(ReportFixture::pictures(model, page), 1) << page;
    }
    EXPECT_EQ(report->SubReport1->report(), nullptr);
}

TEST(AccountList, AnUnreadableBookingfileIsReportedNotThrown)
{
    ReportFixture f;
    Generalen::gDatabasePath = f.sandbox.file("missing.mdb");
    Reports::get<kontoudskrift>()->Show();
    EXPECT_TRUE(f.capture.previews.isEmpty());
    ASSERT_EQ(f.sandbox.shown().size(), 1);
    EXPECT_EQ(f.sandbox.shown().first().title, "Accounts");
}

// The resource lists: items of one kind by group and type, through inner joins only.
#include "reportfixture.h"

#include "core/generalen.h"
#include "reports/reslistadd.h"
#include "reports/reslistdom.h"
#include "reports/reslistsa.h"

#include <gtest/gtest.h>

namespace {

// Two room groups, a Stand-Alone group holding an Add-On item, a type without a group and a
// group of a kind that gruppetyper does not know.
void addResources(const ReportFixture &f)
{
    f.exec({"INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) VALUES "
            "(1, 'West wing', 1), (2, 'East wing', 1), (3, 'Cameras', 3), (4, 'Odd', 9)",
            "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr) VALUES "
            "(1, 'Small rooms', 1), (2, 'Halls', 1), (3, 'Studios', 2), (4, 'Video', 3), "
            "(5, 'Lost type', 99), (6, 'Odd type', 4)",
            // The hourly rent Lejetime is edited by no form: only the fee gebyr prints.
            "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, maxprs, gebyr, "
            "Lejetime, lokbeskrivelse) VALUES (1, 'Room B', 1, 1, 8, 120, 7, 'Window'), "
            "(2, 'Room A', 1, 1, 6, NULL, 7, NULL), (3, 'Great Hall', 2, 1, 200, 950.5, 7, NULL), "
            "(4, 'Studio 1', 3, 1, 12, 300, NULL, NULL), (5, 'Camcorder', 4, 2, 0, 25, 7, NULL), "
            "(6, 'Ghost', 5, 1, 0, 0, 7, NULL), (7, 'Oddity', 6, 1, 0, 0, 7, NULL)"});
}

QStringList only(const QStringList &texts, const QStringList &wanted)
{
    QStringList kept;
    for (const QString &t : texts) {
        if (wanted.contains(t))
            kept.append(t);
    }
    return kept;
}

} // namespace

TEST(ResourceLists, ItemsPrintUnderOneHeaderPerGroupAndTypeInNameOrder)
{
    ReportFixture f;
    addResources(f);
    Reports::get<ResListDom>()->Show();
    const QStringList texts = f.shownTexts();
    EXPECT_EQ(only(texts, {"West wing", "East wing", "Small rooms", "Halls", "Studios",
                           "Room A", "Room B", "Great Hall", "Studio 1", "Ghost", "Oddity",
                           "Camcorder"}),
              (QStringList{"East wing", "Studios", "Studio 1", "West wing", "Halls",
                           "Great Hall", "Small rooms", "Room A", "Room B"}));
    EXPECT_TRUE(texts.contains("Resource List  -  Domestic"));
    EXPECT_EQ(texts.count("Room Name"), 3);   // the captions under every type
    EXPECT_TRUE(texts.contains("Window"));
    // "Fee/Hour" is each item's fee, "Fixed"; an empty fee prints an empty cell.
    const PageModel &pages = f.capture.previews.first();
    const double feeColumn = pages.findText("Fee/Hour")->rect.left();
    QStringList fees;
    for (const PageItem *item : pages.textItems(0)) {
        if (std::abs(item->rect.left() - feeColumn) < 0.01)
            fees.append(item->text);
    }
    EXPECT_EQ(fees, (QStringList{"Fee/Hour", "300.00", "Fee/Hour", "950.50", "Fee/Hour",
                                 "120.00"}));
}

TEST(ResourceLists, TheKindComesFromTheGroupAndAKindWithoutItemsPrintsItsFrame)
{
    ReportFixture f;
    addResources(f);
    Generalen::gInstName = "Vantix";
    Reports::get<ResListSA>()->Show();
    Reports::get<ResListAdd>()->Show();
    ASSERT_EQ(f.capture.previews.size(), 2);
    const QStringList standAlone = f.capture.previews.at(0).texts();
    EXPECT_TRUE(standAlone.contains("Camcorder"));
    EXPECT_TRUE(standAlone.contains("25.00"));
    EXPECT_TRUE(standAlone.contains("Serial No#"));
    const QStringList addOns = f.capture.previews.at(1).texts();
    EXPECT_EQ(addOns, (QStringList{"Resource List  -  Add-Ons", "Vantix, ,  ", "Page 1 of 1",
                                   "Phone: , eMail: "}));
}

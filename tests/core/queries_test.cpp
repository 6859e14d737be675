#include "core/generalen.h"
#include "core/queries.h"

#include <gtest/gtest.h>

using Generalen::gSql;

TEST(Queries, FixedTextsWithNumbers)
{
    Queries::SqlDeleteGenDate(17);
    EXPECT_EQ(gSql, "DELETE [gendatogent].[ID], gendatogent.*  FROM gendatogent  WHERE "
                    "gendatogent.ID =17;  ");
    ASSERT_TRUE(Queries::SqlDeleteSeriesRange("120", "800", "830"));
    EXPECT_EQ(gSql, "DELETE DISTINCTROW Booking.*, Booking.gennr, Booking.Bdato  FROM Booking  "
                    "WHERE Booking.gennr = 120 AND Booking.Bdato >= 800 And Booking.Bdato <= "
                    "830;  ");
    ASSERT_TRUE(Queries::SqlDeleteDepartment("4"));
    EXPECT_EQ(gSql, "DELETE [Department].[depnr], Department.*  FROM Department  WHERE "
                    "[Department].[depnr] = 4;  ");
    ASSERT_TRUE(Queries::SqlDeleteFloorPlan("2"));
    EXPECT_EQ(gSql, "DELETE [opstilling].[ID], opstilling.*  FROM opstilling  WHERE "
                    "[opstilling].[ID]=2;  ");
    ASSERT_TRUE(Queries::SqlDeleteHomebase("9"));
    EXPECT_EQ(gSql, "DELETE [Homebases].[ID], Homebases.*  FROM Homebases  WHERE "
                    "[Homebases].[ID]=9;  ");
    Queries::SqlDeleteOldBookings(46000);
    EXPECT_EQ(gSql, "DELETE DISTINCTROW Booking.Bdato, Booking.* FROM Booking WHERE "
                    "((Booking.Bdato)<(46000));  ");
    Queries::SqlStampArchiveDate();
    EXPECT_EQ(gSql, "UPDATE arkiveringsdato SET arkiveringsdato.arkiveringsdato = Date();  ");
    Queries::SqlArchiveBookings(45990, 46001);
    EXPECT_EQ(gSql,
              QString::fromUtf8(
                  "INSERT INTO bookingarkiv ( Bookingnr, Beskrivelse, Bstart, Bslut, Bdato, "
                  "Bcolor, Bgruppe, Lokalenr, kontonr, Kontaktperson2, Kontaktpersonadr2, "
                  "Kontaktpersonpnr2, Kontaktpersonby2, Kontakttlf2, Kontakttlfb2, "
                  "langbeskrivelse, Antalpers, Pris, ID, Bemærkninger, gennr, gentagende, Intern, "
                  "leveringssted, leveringstype, curacname )  SELECT booking.Bookingnr, "
                  "booking.Beskrivelse, booking.Bstart, booking.Bslut, booking.Bdato, "
                  "booking.Bcolor, booking.Bgruppe, booking.Lokalenr, booking.kontonr, "
                  "booking.Kontaktperson2, booking.Kontaktpersonadr2, booking.Kontaktpersonpnr2, "
                  "booking.Kontaktpersonby2, booking.Kontakttlf2, booking.Kontakttlfb2, "
                  "booking.langbeskrivelse, booking.Antalpers, booking.Pris, booking.ID, "
                  "booking.Bemærkninger, booking.gennr, booking.gentagende, booking.Intern, "
                  "booking.leveringssted, booking.leveringstype, booking.curacname  FROM "
                  "booking  WHERE ((booking.Bdato) < 46001 And (booking.Bdato) >= 45990) ;  "));
}

TEST(Queries, TheSecondBuilderReplacesTheFirst)
{
    Queries::SqlClearGenDates();
    Queries::SqlDeleteAllAlternatives();
    EXPECT_EQ(gSql, "DELETE andetlokalt.*, andetlokalt.lokalenr  FROM andetlokalt;  ");
}

TEST(Queries, BoxTextsThatAreNoWholeNumberNeverBecomeSql)
{
    gSql = "old";
    EXPECT_FALSE(Queries::SqlDeleteSeriesRange("120", "800 OR 1=1", "830"));
    EXPECT_TRUE(gSql.isEmpty());
    EXPECT_FALSE(Queries::SqlDeleteDepartment("1; DROP TABLE Department"));
    EXPECT_FALSE(Queries::SqlDeleteHomebase(""));
    EXPECT_FALSE(Queries::SqlDeleteFloorPlan("2.5"));
    EXPECT_TRUE(gSql.isEmpty());
}

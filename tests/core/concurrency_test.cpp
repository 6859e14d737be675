#include "fixtures/sandbox.h"

#include "core/extrafunktioner.h"
#include "fixtures/sqlhelpers.h"

#include <QDir>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Extrafunktioner::DateToDayNumber;

namespace {

const QDate kToday(2026, 12, 10);

struct Copy
{
    std::unique_ptr<QProcess> process;
    QString what;
};

// Several copies of the program's own code at once on one bookingfile: copies that type and
// paste bookings (into a day the archiving takes and purges) and copies that book series of 20
// days (into days it takes and keeps), while other copies start up and run the daily archiving
// over 2,000 due bookings. No copy sees an error, no number is handed out twice, every booking
// ends either in booking or in the archive, once, and every series has its head.
TEST(Concurrency, CopiesBookingAndArchivingAtOnceLoseNothing)
{
    Sandbox sandbox;
    const QString file = sandbox.newBookingfile("shared.mdb");
    const int today = DateToDayNumber(kToday);
    execSql(file, "UPDATE institutionsoplysninger SET arCdEl = 3, deldel = 100");
    execSql(file, QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                          "WHERE i < 2000) INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, "
                          "bstart, bslut, kontonr) SELECT i, 'Old', %1 + i % 400, 600, 660, 1 "
                          "FROM n")
                      .arg(today - 405));
    execSql(file, "UPDATE næstenøgle SET nextkey = 10000");
    const QString pastDay = QString::number(today - 200);
    const QString seriesDay = QString::number(today - 50);

    std::vector<Copy> copies;
    auto launch = [&](const QString &what, const QStringList &args) {
        const QString folder = sandbox.file(QString("copy%1").arg(copies.size()));
        QDir().mkpath(folder);
        Copy c{std::make_unique<QProcess>(), what};
        c.process->start(VANTIX_CONCURRENCY_WORKER,
                         QStringList{args[0], file, folder} + args.mid(1));
        copies.push_back(std::move(c));
    };
    for (int i = 0; i < 4; ++i)
        launch("book", {"book", "60", pastDay});
    for (int i = 0; i < 2; ++i)
        launch("series", {"series", "5", seriesDay});
    for (int i = 0; i < 3; ++i)
        launch("start", {"start", kToday.toString("yyyy-MM-dd")});

    QList<qlonglong> handedOut;
    for (Copy &c : copies) {
        ASSERT_TRUE(c.process->waitForFinished(60000)) << c.what.toStdString();
        EXPECT_EQ(c.process->exitCode(), 0) << c.what.toStdString();
        const QStringList lines =
            QString::fromUtf8(c.process->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        int booked = 0;
        bool login = false;
        for (const QString &line : lines) {
            EXPECT_FALSE(line.startsWith("message")) << c.what.toStdString() << ": "
                                                     << line.toStdString();
            if (line.startsWith("booked ")) {
                handedOut.append(line.mid(7).toLongLong());
                ++booked;
            }
            login = login || line == "login";
        }
        if (c.what == "book")
            EXPECT_EQ(booked, 60);
        else if (c.what == "series")
            EXPECT_EQ(booked, 5 * 21);   // each head and its 20 members
        else
            EXPECT_TRUE(login);
    }
    EXPECT_EQ(QSet<qlonglong>(handedOut.begin(), handedOut.end()).size(), handedOut.size());

    const QList<qlonglong> kept = sqlNumbers(file, "SELECT Bookingnr FROM booking");
    const QList<qlonglong> archived = sqlNumbers(file, "SELECT Bookingnr FROM bookingarkiv");
    const QSet<qlonglong> both = QSet<qlonglong>(kept.begin(), kept.end())
                                 + QSet<qlonglong>(archived.begin(), archived.end());
    for (qlonglong nr = 1; nr <= 2000; ++nr)
        ASSERT_TRUE(both.contains(nr)) << "lost booking " << nr;
    for (qlonglong nr : handedOut)
        ASSERT_TRUE(both.contains(nr)) << "lost booking " << nr;
    // Every booking due is archived; what is purged is archived.
    EXPECT_EQ(sqlValue(file, QString("SELECT COUNT(*) FROM booking b WHERE Bdato < %1 AND NOT "
                                     "EXISTS (SELECT 1 FROM bookingarkiv a WHERE a.Bookingnr = "
                                     "b.Bookingnr) AND Bookingnr <= 2000")
                                 .arg(today - 3))
                  .toLongLong(),
              0);
    EXPECT_EQ(archived.size() + kept.size()
                  - sqlValue(file, "SELECT COUNT(*) FROM booking JOIN bookingarkiv USING "
                                   "(Bookingnr)").toLongLong(),
              both.size());
    EXPECT_EQ(sqlValue(file, "SELECT COUNT(*) FROM booking WHERE gennr = Bookingnr").toInt(), 10);
    EXPECT_EQ(sqlValue(file, "SELECT COUNT(DISTINCT gennr) FROM booking").toInt(), 10);
    EXPECT_EQ(sqlValue(file, "PRAGMA integrity_check").toString(), "ok");
}

} // namespace

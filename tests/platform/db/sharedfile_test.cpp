#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// Several connections commit rows that grow the file while others open it again and again, as
// copies of the program storing bookings at once do: no open may call the healthy file
// damaged, locked or anything else.
TEST(SharedFile, OpeningWhileOthersGrowTheFileNeverFails)
{
    Sandbox box;
    AnyLayout growing;   // the test's own table of large rows
    // On a memory file system when there is one: the test is about turns, not about the disk.
    QTemporaryDir memory(QDir("/dev/shm").exists() ? "/dev/shm/vantix-XXXXXX" : QString());
    ASSERT_TRUE(memory.isValid());
    const QString path = memory.filePath("shared.mdb");
    ASSERT_TRUE(QFile::copy(box.newBookingfile(), path));
    {
        auto db = Dao::Database::open(path);
        db->Execute("CREATE TABLE growth (n INTEGER, payload BLOB)");
    }

    std::atomic<bool> stop{false};
    std::atomic<int> commits{0}, opens{0};
    std::mutex lock;
    QStringList failures;
    auto fail = [&](const QString &what) {
        std::lock_guard<std::mutex> guard(lock);
        failures << what;
    };
    auto writer = [&](int n) {
        while (!stop) {
            try {
                // Each commit adds some 30 pages, so the header's page count changes often.
                auto db = Dao::Database::open(path);
                db->Execute(QString("INSERT INTO growth VALUES (%1, zeroblob(120000))").arg(n));
                ++commits;
            } catch (const Dao::DbError &e) {
                fail("store: " + e.description());
            }
        }
    };
    auto opener = [&] {
        while (!stop) {
            try {
                auto db = Dao::Database::open(path);
                db->OpenRecordset("SELECT count(*) FROM growth", Dao::RecordsetType::ForwardOnly)
                    ->Field(0);
                ++opens;
            } catch (const Dao::DbError &e) {
                fail("open: " + e.description());
            }
        }
    };
    std::vector<std::thread> threads;
    for (int n = 0; n < 3; ++n)
        threads.emplace_back(writer, n);
    for (int n = 0; n < 2; ++n)
        threads.emplace_back(opener);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2500 && failures.size() < 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    stop = true;
    for (std::thread &t : threads)
        t.join();

    EXPECT_TRUE(failures.isEmpty()) << failures.size() << " false errors in " << commits.load()
                                    << " commits and " << opens.load() << " opens, first: "
                                    << failures.value(0).toStdString();
    EXPECT_GT(commits.load(), 20);
    EXPECT_GT(opens.load(), 20);
    auto db = Dao::Database::open(path);
    EXPECT_EQ(db->OpenRecordset("SELECT count(*) FROM growth")->Field(0).toInt(), commits.load());
}

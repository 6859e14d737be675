#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "fixtures/sandbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

// Two copies of the program asking for booking numbers at the same moment never get the same
// one: each takes the counter under the file's write lock.
TEST(NextKey, TwoConnectionsAskingAtOnceNeverShareANumber)
{
    Sandbox box;
    // On a memory file system when there is one: the test is about turns, not about the disk.
    QTemporaryDir memory(QDir("/dev/shm").exists() ? "/dev/shm/vantix-XXXXXX" : QString());
    ASSERT_TRUE(memory.isValid());
    Generalen::gDatabasePath = memory.filePath("keys.mdb");
    ASSERT_TRUE(QFile::copy(box.newBookingfile(), Generalen::gDatabasePath));
    {
        auto db = Dao::Database::open(Generalen::gDatabasePath);
        db->Execute(QString::fromUtf8("UPDATE næstenøgle SET nextkey = 500"));
    }
    EXPECT_EQ(Extrafunktioner::NextKey(), 500);

    const int perThread = 2000;
    QList<int> keys[2];
    std::exception_ptr failures[2];
    auto ask = [&](int t) {
        try {
            for (int i = 0; i < perThread; ++i)
                keys[t].append(Extrafunktioner::NextKey());
        } catch (...) {
            failures[t] = std::current_exception();
        }
    };
    std::thread a(ask, 0);
    std::thread b(ask, 1);
    a.join();
    b.join();
    for (const std::exception_ptr &failure : failures) {
        try {
            if (failure)
                std::rethrow_exception(failure);
        } catch (const std::exception &e) {
            FAIL() << e.what();
        }
    }
    QSet<int> all;
    for (const QList<int> &list : keys)
        for (int k : list)
            all.insert(k);
    EXPECT_EQ(all.size(), 2 * perThread);
    EXPECT_EQ(*std::min_element(all.begin(), all.end()), 501);
    EXPECT_EQ(*std::max_element(all.begin(), all.end()), 500 + 2 * perThread);
    auto db = Dao::Database::open(Generalen::gDatabasePath);
    EXPECT_EQ(db->OpenRecordset(QString::fromUtf8("næstenøgle"))->Field("nextkey").toInt(),
              501 + 2 * perThread);
    Generalen::resetState();
}

// A series takes its block of numbers in its own transaction while another copy asks for single
// numbers: no number is handed out twice, and a block given back by a rollback is not lost.
TEST(NextKey, ABlockOfASeriesAndSingleNumbersNeverOverlap)
{
    Sandbox box;
    QTemporaryDir memory(QDir("/dev/shm").exists() ? "/dev/shm/vantix-XXXXXX" : QString());
    ASSERT_TRUE(memory.isValid());
    Generalen::gDatabasePath = memory.filePath("keys.mdb");
    ASSERT_TRUE(QFile::copy(box.newBookingfile(), Generalen::gDatabasePath));
    {
        auto db = Dao::Database::open(Generalen::gDatabasePath);
        Dao::Transaction trans(*db);
        EXPECT_EQ(Extrafunktioner::NextKeys(*db, 365), 1);
        // Rolled back: the numbers are given back.
    }
    QList<int> blocks, singles;
    std::exception_ptr failure;
    std::thread series([&] {
        try {
            for (int i = 0; i < 40; ++i) {
                auto db = Dao::Database::open(Generalen::gDatabasePath);
                Dao::Transaction trans(*db);
                const int first = Extrafunktioner::NextKeys(*db, 25);
                trans.commit();
                for (int k = first; k < first + 25; ++k)
                    blocks.append(k);
            }
        } catch (...) {
            failure = std::current_exception();
        }
    });
    for (int i = 0; i < 500; ++i)
        singles.append(Extrafunktioner::NextKey());
    series.join();
    ASSERT_FALSE(failure);
    QSet<int> all(blocks.begin(), blocks.end());
    for (int k : singles)
        all.insert(k);
    EXPECT_EQ(all.size(), 1500);
    EXPECT_EQ(*std::min_element(all.begin(), all.end()), 1);
    EXPECT_EQ(*std::max_element(all.begin(), all.end()), 1500);
    Generalen::resetState();
}

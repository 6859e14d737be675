#pragma once

struct sqlite3;

namespace Dao {

// A bound on the time that the statements of this thread may take while it lives: a statement
// still running when the time is up is stopped (it fails with a DbError of code
// Deadline::TimedOut), and a wait for a locked file ends. Nested bounds keep the earlier end.
// Every connection that Database::open makes honours it.
class Deadline
{
public:
    enum { TimedOut = 9 };   // SQLite's code for an interrupted statement

    explicit Deadline(int milliseconds);
    ~Deadline();
    Deadline(const Deadline &) = delete;
    Deadline &operator=(const Deadline &) = delete;

    // True while a bound of this thread has run out.
    static bool passed();
    // Makes the statements of db honour the bounds of the thread that runs them.
    static void watch(sqlite3 *db);

    // Lifts the thread's bounds while it lives: for the program's own work on a file that has
    // passed its checks (an upgrade of its layout), which takes as long as the file is large.
    class Lifted
    {
    public:
        Lifted();
        ~Lifted();
        Lifted(const Lifted &) = delete;
        Lifted &operator=(const Lifted &) = delete;

    private:
        long long m_previous;
    };

private:
    long long m_previous;
};

} // namespace Dao

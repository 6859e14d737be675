#include "platform/db/deadline.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <limits>

namespace Dao {
namespace {

using Clock = std::chrono::steady_clock;

constexpr long long kNone = std::numeric_limits<long long>::max();

// The end of this thread's bound, in nanoseconds of the steady clock; kNone when unbounded.
thread_local long long t_end = kNone;

long long now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               Clock::now().time_since_epoch())
        .count();
}

// Called by SQLite every few hundred steps of a statement: a nonzero answer stops it.
int progress(void *) { return Deadline::passed() ? 1 : 0; }

} // namespace

Deadline::Deadline(int milliseconds) : m_previous(t_end)
{
    const long long end = now() + std::max(0, milliseconds) * 1000000LL;
    t_end = std::min(t_end, end);
}

Deadline::~Deadline() { t_end = m_previous; }

Deadline::Lifted::Lifted() : m_previous(t_end) { t_end = kNone; }

Deadline::Lifted::~Lifted() { t_end = m_previous; }

bool Deadline::passed() { return t_end != kNone && now() >= t_end; }

void Deadline::watch(sqlite3 *db) { sqlite3_progress_handler(db, 500, progress, nullptr); }

} // namespace Dao

#include "lib/db/BKSQLiteWatchdog.h"

#include <sqlite3.h>

namespace Brenik {

namespace {

// SQLite asks the handler after about this many of its instructions: often enough that a
// statement is looked at every few microseconds, rarely enough that asking costs under 1 %.
constexpr int kInstructionsPerCheck = 10000;
// Listing every company of a directory of a million took 127 s on a busy machine; Cancel,
// not this budget, is what a user waits for.
constexpr std::chrono::minutes kDefaultBudget(10);

}  // namespace

BKSQLiteWatchdog::BKSQLiteWatchdog(sqlite3* connection) : budget(kDefaultBudget)
{
    sqlite3_progress_handler(connection, kInstructionsPerCheck, &BKSQLiteWatchdog::Progress, this);
}

void BKSQLiteWatchdog::SetObserver(std::function<bool()> observer,
                                   std::chrono::milliseconds interval)
{
    this->observer = std::move(observer);
    this->interval = interval;
}

void BKSQLiteWatchdog::StatementStarts()
{
    const Clock::time_point now = Clock::now();
    deadline = now + budget;
    nextLook = now + interval;
    lastStop = Stop::kNone;
}

void BKSQLiteWatchdog::StatementEnds(int code)
{
    deadline = Clock::time_point::max();
    if (code == SQLITE_NOMEM || code == SQLITE_TOOBIG ||
        (code == SQLITE_INTERRUPT && lastStop == Stop::kBudget))
        ++exceeded;
}

int BKSQLiteWatchdog::Progress(void* self)
{
    return static_cast<BKSQLiteWatchdog*>(self)->Check();
}

int BKSQLiteWatchdog::Check()
{
    Clock::time_point now = Clock::now();
    // A statement run on the handle directly gets its budget when it is first seen.
    if (deadline == Clock::time_point::max()) {
        deadline = now + budget;
        nextLook = now + interval;
    }
    if (observer && !observing && now >= nextLook) {
        observing = true;
        const bool stop = observer();
        observing = false;
        // The time the observer took was not the statement's work.
        const Clock::time_point after = Clock::now();
        deadline += after - now;
        now = after;
        nextLook = now + interval;
        if (stop) {
            lastStop = Stop::kObserver;
            return 1;
        }
    }
    if (now >= deadline) {
        lastStop = Stop::kBudget;
        return 1;
    }
    return 0;
}

}  // namespace Brenik

// Watches every statement on one SQLite connection: ends one that works longer than its budget,
// and lets an observer look in at a bounded rate, to keep a window painted and to stop the
// statement. Made and owned with the connection; the observer is borrowed while it is set.
#pragma once

#include <chrono>
#include <functional>

struct sqlite3;

namespace Brenik {

class BKSQLiteWatchdog {
public:
    // How the last statement ended, as far as the watchdog had a hand in it.
    enum class Stop { kNone, kBudget, kObserver };

    // Installs itself as the connection's progress handler; lives as long as the connection.
    explicit BKSQLiteWatchdog(sqlite3* connection);
    BKSQLiteWatchdog(const BKSQLiteWatchdog&) = delete;
    BKSQLiteWatchdog& operator=(const BKSQLiteWatchdog&) = delete;

    // How long one statement may work, not counting the time spent in the observer.
    void SetBudget(std::chrono::milliseconds budget) { this->budget = budget; }
    std::chrono::milliseconds GetBudget() const { return budget; }
    // Called about every interval while a statement works; returns true to stop it. An empty
    // function removes the observer.
    void SetObserver(std::function<bool()> observer,
                     std::chrono::milliseconds interval = std::chrono::milliseconds(50));

    // Before each statement: its budget starts.
    void StatementStarts();
    // After each statement, with SQLite's result code: counts those that ran out of time,
    // memory or value length.
    void StatementEnds(int code);
    Stop GetLastStop() const { return lastStop; }
    // Statements that ran out of their time, memory or value-length bound so far.
    unsigned long GetExceeded() const { return exceeded; }
    // True while the observer runs: no statement may start on the connection then.
    bool IsObserving() const { return observing; }

private:
    static int Progress(void* self);
    int Check();

    using Clock = std::chrono::steady_clock;
    std::chrono::milliseconds budget;
    std::function<bool()> observer;
    std::chrono::milliseconds interval{50};
    Clock::time_point deadline = Clock::time_point::max();
    Clock::time_point nextLook;
    Stop lastStop = Stop::kNone;
    unsigned long exceeded = 0;
    bool observing = false;
};

}  // namespace Brenik

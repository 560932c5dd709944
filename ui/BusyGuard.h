// Holds a window's busy flag for one long job: a search, an export, a save or a printout
// yields to the event loop as it goes, and no second job may start inside it and change the
// list under it. Borrows the flag; the guard that raised it lowers it when it goes.
#pragma once

class BusyGuard {
public:
    explicit BusyGuard(bool& busy);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

    // False when another job already held the flag: the caller does nothing then.
    explicit operator bool() const { return held; }

private:
    bool& busy;
    bool held;
};

// The SQLite connection: opens the file named by the file-name setting. Owns the handle;
// queries made on it share the handle, so a handle stays valid for a query that still uses it
// even after Disconnect (it is closed when the last user lets go).
#pragma once

#include <memory>

#include "lib/db/BKDatabase.h"

struct sqlite3;

namespace Brenik {

class BKSQLiteWatchdog;

class BKSQLiteDatabase : public BKDatabase {
public:
    // Neither constructor opens the file.
    BKSQLiteDatabase();
    explicit BKSQLiteDatabase(const wxString& filename);
    ~BKSQLiteDatabase() override;
    BKSQLiteDatabase(const BKSQLiteDatabase&) = delete;
    BKSQLiteDatabase& operator=(const BKSQLiteDatabase&) = delete;

    BKClassInfo GetClassInfo() const override;

    // Read-only connections never write to the file or beside it (see Connect); set before
    // connecting.
    void SetReadOnly(bool on) { readOnly = on; }
    // SQLite creates a missing file unless read-only: callers check that it exists first.
    // The connection is set up for a file from elsewhere: no triggers or views, bounded
    // values, work and memory per statement (see BKSQLiteWatchdog), temporary data in memory.
    bool Connect() override;
    // Whether a rollback journal or write-ahead log beside the file holds changes that reading
    // depends on: a read-only connection cannot roll back an interrupted change, nor read a
    // log without its index.
    bool HoldsUnfinishedChanges() const;
    bool IsConnected() override { return connected; }
    bool Reconnect() override;
    bool Disconnect() override;

    // Null when not connected.
    sqlite3* GetConnection() const { return handle.get(); }
    // The handle shared with the caller, for objects that run statements on it.
    std::shared_ptr<sqlite3> GetSharedConnection() const { return handle; }
    // The watchdog of the open connection, shared as the handle is; null when not connected.
    std::shared_ptr<BKSQLiteWatchdog> GetWatchdog() const { return watchdog; }

private:
    std::shared_ptr<sqlite3> handle;
    std::shared_ptr<BKSQLiteWatchdog> watchdog;
    bool connected = false;
    bool readOnly = false;
};

}  // namespace Brenik

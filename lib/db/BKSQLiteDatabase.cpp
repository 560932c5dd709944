#include "lib/db/BKSQLiteDatabase.h"

#include <sqlite3.h>

namespace Brenik {

namespace {

void CloseHandle(sqlite3* handle)
{
    if (handle)
        sqlite3_close(handle);
}

}  // namespace

BKSQLiteDatabase::BKSQLiteDatabase() = default;

BKSQLiteDatabase::BKSQLiteDatabase(const wxString& filename)
    : BKDatabase(filename, wxString(), wxString())
{
}

BKSQLiteDatabase::~BKSQLiteDatabase()
{
    if (connected)
        Disconnect();
}

BKClassInfo BKSQLiteDatabase::GetClassInfo() const
{
    return BKClassInfo::Make("BKSQLiteDatabase", "0.0.2");
}

bool BKSQLiteDatabase::Connect()
{
    sqlite3* opened = nullptr;
    int code = sqlite3_open(GetFilename().utf8_string().c_str(), &opened);
    // SQLite hands out a handle even when opening fails; it must be closed all the same.
    std::shared_ptr<sqlite3> newHandle(opened, CloseHandle);
    if (code == SQLITE_OK) {
        handle = std::move(newHandle);
        connected = true;
    } else {
        Disconnect();
        connected = false;
    }
    return IsConnected();
}

bool BKSQLiteDatabase::Reconnect()
{
    if (IsConnected())
        return true;
    return Connect();
}

bool BKSQLiteDatabase::Disconnect()
{
    if (!connected)
        return false;
    handle.reset();
    connected = false;
    return true;
}

}  // namespace Brenik

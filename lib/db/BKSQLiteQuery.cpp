#include "lib/db/BKSQLiteQuery.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <sqlite3.h>

#include <atomic>

#include "lib/db/BKSQLiteDatabase.h"

namespace Brenik {

namespace {

// One counter for the whole process, so that a generation never repeats on any query.
unsigned long long NextGeneration()
{
    static std::atomic<unsigned long long> counter{0};
    return ++counter;
}

}  // namespace

void BKSQLiteQuery::TableDeleter::operator()(char** table) const
{
    sqlite3_free_table(table);
}

BKSQLiteQuery::BKSQLiteQuery(BKSQLiteDatabase* database) : BKQuery(database)
{
    if (database) {
        database->Reconnect();
        connection = database->GetSharedConnection();
    }
}

BKSQLiteQuery::~BKSQLiteQuery() = default;

BKClassInfo BKSQLiteQuery::GetClassInfo() const
{
    return BKClassInfo::Make("BKSQLiteQuery", "0.0.4");
}

bool BKSQLiteQuery::Exec(bool withResult)
{
    FreeResult();
    generation = NextGeneration();
    if (!connection)
        return false;

    std::string statement = GetParsedQuery().utf8_string();
    char** result = nullptr;
    int resultRows = 0;
    int resultColumns = 0;
    int code = sqlite3_get_table(connection.get(), statement.c_str(), &result, &resultRows,
                                 &resultColumns, nullptr);
    table.reset(result);
    rows = code == SQLITE_OK ? static_cast<unsigned int>(resultRows) : 0;
    columns = code == SQLITE_OK ? static_cast<unsigned int>(resultColumns) : 0;

    if (!withResult) {
        FreeResult();
    } else if (code == SQLITE_OK) {
        cursor = 0;
        columnNames.Clear();
        // SQLite reports no columns for a result without rows.
        for (unsigned int index = 0; index < columns; ++index) {
            const char* name = table[index];
            columnNames.Add(name ? wxString::FromUTF8(name) : wxString());
        }
    }
    return code == SQLITE_OK;
}

int BKSQLiteQuery::FindColumn(const wxString& column) const
{
    for (size_t index = 0; index < columnNames.size(); ++index) {
        if (columnNames[index] == column)
            return static_cast<int>(index);
    }
    return -1;
}

const char* BKSQLiteQuery::Cell(int index) const
{
    // Compared unsigned, so a negative index is out of range too.
    if (!table || static_cast<unsigned int>(index) >= columns)
        return nullptr;
    return table[static_cast<size_t>(index) + static_cast<size_t>(cursor) * columns];
}

BKCasts BKSQLiteQuery::GetField(const wxString& column, bool)
{
    int index = FindColumn(column);
    if (index < 0)
        return BKCasts();
    return GetField(index);
}

BKCasts BKSQLiteQuery::GetField(int index)
{
    const char* cell = Cell(index);
    return cell ? BKCasts(cell) : BKCasts();
}

const char* BKSQLiteQuery::GetFieldUtf8(int index) const
{
    return Cell(index);
}

BKCasts BKSQLiteQuery::GetColumn(int index)
{
    if (!table || static_cast<unsigned int>(index) >= columns)
        return BKCasts();
    const char* name = table[index];
    return name ? BKCasts(name) : BKCasts();
}

bool BKSQLiteQuery::IsNull(const wxString& column)
{
    int index = FindColumn(column);
    if (index < 0)
        return true;
    return IsNull(index);
}

bool BKSQLiteQuery::IsNull(int index)
{
    return Cell(index) == nullptr;
}

bool BKSQLiteQuery::Begin()
{
    return Query("BEGIN TRANSACTION", false);
}

bool BKSQLiteQuery::Commit()
{
    return Query("COMMIT", false);
}

bool BKSQLiteQuery::Rollback()
{
    return Query("ROLLBACK", false);
}

bool BKSQLiteQuery::NextRecord()
{
    if (cursor >= rows)
        return false;
    ++cursor;
    return true;
}

void BKSQLiteQuery::FreeResult()
{
    const bool large = static_cast<unsigned long long>(rows) * columns >= kLargeResultCells;
    table.reset();
#ifdef __GLIBC__
    // The cells of a large result lie between the records made from them, so the allocator
    // cannot give their pages back by itself: without this, the program would keep holding
    // the memory of the largest search it ever ran.
    if (large)
        malloc_trim(0);
#endif
    columnNames.Clear();
    cursor = 0;
    // A released result has no rows, so the cursor can never step onto freed cells.
    rows = 0;
    columns = 0;
}

}  // namespace Brenik

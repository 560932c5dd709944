#include "lib/db/BKSQLiteQuery.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <sqlite3.h>

#include <atomic>
#include <string>
#include <vector>

#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteWatchdog.h"

namespace Brenik {

namespace {

// One counter for the whole process, so that a generation never repeats on any query.
unsigned long long NextGeneration()
{
    static std::atomic<unsigned long long> counter{0};
    return ++counter;
}

// The memory of a large result lies between the records made from it, so the allocator cannot
// give its pages back by itself: without this, the program would keep holding the memory of the
// largest search it ever ran, or of a statement that ran out of memory.
void GiveBackMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Gathers the rows of sqlite3_exec in the layout of SQLite's table interface (the column
// names first), each cell from SQLite's heap, so that the heap limit bounds them as it bounds
// a table. Keeps what it has when the statement stops.
struct RowCollector {
    std::vector<char*>& cells;
    int columns = 0;
    bool outOfMemory = false;

    static int Add(void* self, int columns, char** values, char** names)
    {
        auto* collector = static_cast<RowCollector*>(self);
        if (collector->cells.empty()) {
            collector->columns = columns;
            if (!collector->AddRow(columns, names))
                return 1;
        }
        return collector->AddRow(columns, values) ? 0 : 1;
    }

    bool AddRow(int columns, char** values)
    {
        for (int column = 0; column < columns; ++column) {
            char* copy = values[column] ? sqlite3_mprintf("%s", values[column]) : nullptr;
            if (values[column] && !copy) {
                outOfMemory = true;
                return false;
            }
            cells.push_back(copy);
        }
        return true;
    }
};

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
        watchdog = database->GetWatchdog();
    }
}

BKSQLiteQuery::~BKSQLiteQuery()
{
    FreeResult();
}

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

    stopped = false;
    // SQLite forbids a statement on the connection while one of its callbacks runs, and the
    // watchdog's observer lets the toolkit handle events in one.
    if (watchdog && watchdog->IsObserving())
        return false;

    std::string statement = GetParsedQuery().utf8_string();
    int resultRows = 0;
    int resultColumns = 0;
    if (watchdog)
        watchdog->StatementStarts();
    int code = keepRowsOnStop ? Collect(statement, resultRows, resultColumns)
                              : GetTable(statement, resultRows, resultColumns);
    if (watchdog)
        watchdog->StatementEnds(code);
    if (code != SQLITE_OK)
        GiveBackMemory();
    rows = code == SQLITE_OK ? static_cast<unsigned int>(resultRows) : 0;
    columns = code == SQLITE_OK ? static_cast<unsigned int>(resultColumns) : 0;

    if (!withResult) {
        FreeResult();
    } else if (code == SQLITE_OK) {
        cursor = 0;
        columnNames.Clear();
        // SQLite reports no columns for a result without rows.
        for (unsigned int index = 0; index < columns; ++index) {
            const char* name = cells[index];
            columnNames.Add(name ? wxString::FromUTF8(name) : wxString());
        }
    }
    return code == SQLITE_OK;
}

int BKSQLiteQuery::GetTable(const std::string& statement, int& resultRows, int& resultColumns)
{
    char** result = nullptr;
    const int code = sqlite3_get_table(connection.get(), statement.c_str(), &result, &resultRows,
                                       &resultColumns, nullptr);
    table.reset(result);
    cells = result;
    return code;
}

int BKSQLiteQuery::Collect(const std::string& statement, int& resultRows, int& resultColumns)
{
    RowCollector collector{keptCells};
    int code =
        sqlite3_exec(connection.get(), statement.c_str(), &RowCollector::Add, &collector, nullptr);
    if (collector.outOfMemory)
        code = SQLITE_NOMEM;
    if (code == SQLITE_INTERRUPT && watchdog &&
        watchdog->GetLastStop() == BKSQLiteWatchdog::Stop::kObserver) {
        stopped = true;
        code = SQLITE_OK;
    }
    if (code != SQLITE_OK) {
        for (char* cell : keptCells)
            sqlite3_free(cell);
        keptCells.clear();
    }
    // As in SQLite's table interface, a result without rows has no columns either.
    resultColumns = collector.columns;
    resultRows =
        collector.columns > 0 ? static_cast<int>(keptCells.size() / collector.columns) - 1 : 0;
    cells = keptCells.empty() ? nullptr : keptCells.data();
    return code;
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
    if (!cells || static_cast<unsigned int>(index) >= columns)
        return nullptr;
    return cells[static_cast<size_t>(index) + static_cast<size_t>(cursor) * columns];
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
    if (!cells || static_cast<unsigned int>(index) >= columns)
        return BKCasts();
    const char* name = cells[index];
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
    for (char* cell : keptCells)
        sqlite3_free(cell);
    keptCells.clear();
    keptCells.shrink_to_fit();
    cells = nullptr;
    if (large)
        GiveBackMemory();
    columnNames.Clear();
    cursor = 0;
    // A released result has no rows, so the cursor can never step onto freed cells.
    rows = 0;
    columns = 0;
}

}  // namespace Brenik

// The SQLite cursor: runs a statement through SQLite's table interface and holds the whole
// result as a table of UTF-8 cells (row 0 the column names). Owns the table; shares the
// connection handle with the database it was made on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/arrstr.h>

#include "lib/db/BKQuery.h"

struct sqlite3;

namespace Brenik {

class BKSQLiteDatabase;
class BKSQLiteWatchdog;

class BKSQLiteQuery : public BKQuery {
public:
    // Connects the database when it is not connected yet. A later Disconnect/Connect of
    // the database does not reach this query: it keeps the handle it got here.
    explicit BKSQLiteQuery(BKSQLiteDatabase* database);
    ~BKSQLiteQuery() override;
    BKSQLiteQuery(const BKSQLiteQuery&) = delete;
    BKSQLiteQuery& operator=(const BKSQLiteQuery&) = delete;

    BKClassInfo GetClassInfo() const override;

    // A statement run with result first releases any result still held. Fails while the
    // connection's watchdog observes another statement.
    bool Exec(bool withResult) override;
    BKCasts GetField(const wxString& column, bool flag) override;
    BKCasts GetField(int index) override;
    BKCasts GetColumn(int index) override;
    bool IsNull(const wxString& column) override;
    bool IsNull(int index) override;
    unsigned int GetRowCount() override { return rows; }
    unsigned int GetColumnCount() override { return columns; }
    bool Begin() override;
    bool Commit() override;
    bool Rollback() override;
    bool NextRecord() override;
    void FreeResult() override;

    // A statement that the watchdog's observer stops keeps the rows it delivered before the
    // stop as its result, and counts as run. Off by default: the statement then fails.
    void SetKeepRowsOnStop(bool on) { keepRowsOnStop = on; }
    // Whether the last statement was stopped by the observer (and kept its rows).
    bool IsStopped() const { return stopped; }

    const char* GetFieldUtf8(int index) const override;
    unsigned long long GetResultGeneration() const override { return generation; }

private:
    struct TableDeleter {
        void operator()(char** table) const;
    };

    // Runs the statement through SQLite's table interface, or row by row into keptCells,
    // which keeps the rows delivered before a stop; SQLite's result code.
    int GetTable(const std::string& statement, int& resultRows, int& resultColumns);
    int Collect(const std::string& statement, int& resultRows, int& resultColumns);
    // Position of the first column of that exact name, -1 when none.
    int FindColumn(const wxString& column) const;
    // The cell of the current row, null when out of range or NULL.
    const char* Cell(int index) const;

    std::shared_ptr<sqlite3> connection;
    std::shared_ptr<BKSQLiteWatchdog> watchdog;
    // The cells of the result, row 0 the column names; held by one of the two below.
    char** cells = nullptr;
    std::unique_ptr<char*[], TableDeleter> table;
    std::vector<char*> keptCells;
    // From this many cells on, the memory of a freed result goes back to the system.
    static constexpr unsigned long long kLargeResultCells = 1000000;
    unsigned int rows = 0;
    unsigned int columns = 0;
    unsigned int cursor = 0;
    wxArrayString columnNames;
    unsigned long long generation = 0;
    bool keepRowsOnStop = false;
    bool stopped = false;
};

}  // namespace Brenik

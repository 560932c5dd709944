// The abstract result cursor. A query is a query parser whose output is the statement it
// runs; the whole result is held in memory and walked row by row. The database is borrowed.
#pragma once

#include <wx/string.h>

#include "lib/core/BKCasts.h"
#include "lib/core/BKDateTime.h"
#include "lib/db/BKQueryParser.h"

namespace Brenik {

class BKDatabase;

class BKQuery : public BKQueryParser {
public:
    explicit BKQuery(BKDatabase* database);

    BKClassInfo GetClassInfo() const override;

    // Runs the parser's output; true on success.
    virtual bool Exec(bool withResult) = 0;
    // The cell of the first column of that exact name (case-sensitive); empty when unknown.
    // The flag has no effect.
    virtual BKCasts GetField(const wxString& column, bool flag) = 0;
    // Empty for an index out of range and for SQL NULL. Before the first NextRecord the
    // column names are read.
    virtual BKCasts GetField(int index) = 0;
    // The name of a column; empty for an index out of range.
    virtual BKCasts GetColumn(int index) = 0;
    // An unknown column counts as NULL.
    virtual bool IsNull(const wxString& column) = 0;
    virtual bool IsNull(int index) = 0;
    virtual unsigned int GetRowCount() = 0;
    virtual unsigned int GetColumnCount() = 0;
    virtual bool Begin() = 0;
    virtual bool Commit() = 0;
    virtual bool Rollback() = 0;
    // Moves to the next row; false at the end, and every time after that.
    virtual bool NextRecord() = 0;
    virtual void FreeResult() = 0;
    // Makes the statement the template (the placeholder list stays) and runs it.
    virtual bool Query(const wxString& statement, bool withResult);
    // Runs the named resource text as the statement.
    virtual bool QueryByResource(const wxString& resourceName, bool withResult);

    // The current row's cell as the database delivered it (UTF-8), null for SQL NULL or an
    // index out of range; valid until the result is released. Bulk loaders read it without
    // converting. Forms that do not hold raw text return null.
    virtual const char* GetFieldUtf8(int index) const;
    // Changes with every statement run on any query of the process, so that loaders can
    // keep work done per result (column positions). 0 from forms that do not count.
    virtual unsigned long long GetResultGeneration() const;

    BKDatabase* GetDb() const { return GetDatabase(); }

    // Whether the last result has a column of exactly that name.
    bool ExistsColumn(const wxString& name);
    // "YYYY-MM-DD" (at midnight); unset for a text shorter than 10 characters.
    static BKDateTime GetDate(const wxString& text);
    // "HH:MM:SS", alone or behind a date and one blank; today at that time.
    static BKDateTime GetTime(const wxString& text);
    // The date of GetDate at the time of GetTime.
    static BKDateTime GetDateTime(const wxString& text);
};

}  // namespace Brenik

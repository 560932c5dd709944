// Checks a connected directory file before the program relies on it, and gives the link table
// the indexes a search needs when the file lacks them. Borrows the connection.
#pragma once

#include <wx/string.h>

namespace Brenik {
class BKSQLiteDatabase;
}

class DirectorySchema {
public:
    explicit DirectorySchema(Brenik::BKSQLiteDatabase* database);

    // Why the file's three tables cannot be read as a directory: one is no plain table (a
    // view or a virtual table, whose reading runs what the file says) or has generated or
    // hidden columns. A phrase for the start-up box that starts with ". "; empty when they
    // are plain tables or are missing (a missing one fails the first statement that reads it).
    wxString Refusal() const;

    // Without indexes on both columns of company_sectors, a search scans the link table once
    // per company. Then an indexed copy of it is made in memory, which the search's statement
    // reads instead (a temporary table hides the file's of the same name). False when making
    // it failed.
    bool IndexLinks() const;

private:
    // Whether a one-column-first index on company_sectors starts with the column.
    bool IsIndexed(const char* column) const;

    Brenik::BKSQLiteDatabase* database;
};

// Base of the program's data-access controllers: the library's SQLite table access fixed for
// the program, plus helpers that read one column of rows selected by id. Each controller owns
// one query on the borrowed connection.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include "lib/entity/BKSQLiteEntityData.h"

namespace Brenik {
class BKSQLiteQuery;
}

class SQLiteController : public Brenik::BKSQLiteEntityData {
public:
    // Direction 0 orders descending, 1 ascending.
    SQLiteController(Brenik::BKSQLiteDatabase* database, const wxString& table,
                     const wxString& primaryKey, const wxString& orderByField,
                     unsigned int direction);

    // "asc" gives 1 and "desc" 0 in any case; anything else the fallback.
    static unsigned int ConvertOrderFromString(wxString order, unsigned int fallback);

    // Appends table.field of the rows whose idField is id to the list; returns the number
    // appended, or -1 (list unchanged) when the statement fails. The query's parser keeps
    // this statement's placeholders.
    static int FillBySimpleQuery(Brenik::BKSQLiteQuery& query, wxArrayString& list,
                                 const wxString& field, const wxString& table,
                                 const wxString& idField, unsigned int id);
    // The same for the rows of mainTable that referenceTable links to the id:
    // mainTable.mainField = referenceTable.referenceField, referenceTable.idField = id.
    static int FillBySimpleQuery(Brenik::BKSQLiteQuery& query, wxArrayString& list,
                                 const wxString& field, const wxString& mainTable,
                                 const wxString& mainField, const wxString& referenceTable,
                                 const wxString& referenceField, const wxString& idField,
                                 unsigned int id);

private:
    static int FillFromResult(Brenik::BKSQLiteQuery& query, wxArrayString& list);
};

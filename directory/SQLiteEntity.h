// Base of the program's persisted records (companies, sectors): the library's SQLite entity
// with a one-line text of the record and a list-joining helper. The database is borrowed.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include "lib/entity/BKSQLiteDatabaseEntity.h"

class SQLiteEntity : public Brenik::BKSQLiteDatabaseEntity {
public:
    SQLiteEntity(Brenik::BKSQLiteDatabase* database, const wxString& table,
                 const wxString& primaryKey, bool autoSequence, const wxString& foreignKey,
                 const wxString& foreignTable, unsigned int reference);

    // The value text of the primary-key field; empty when the record lacks that field.
    virtual wxString ToSimpleString();

    // Joins the entries with the separator, the last two with lastSeparator (the separator
    // when empty): "a, b and c".
    static wxString ArrayStringToString(const wxArrayString& list, const wxString& separator,
                                        wxString lastSeparator);
};

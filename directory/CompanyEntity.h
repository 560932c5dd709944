// One company of the directory: forty named text, number and truth fields read from a
// "companies" row (the last, "sectors", only when asked for: it is computed by the search).
// Bound to a borrowed connection; owns nothing else.
#pragma once

#include <wx/string.h>

#include "directory/SQLiteEntity.h"

class CompanyEntity : public SQLiteEntity {
public:
    CompanyEntity(Brenik::BKSQLiteDatabase* database, bool withSectors);

    // The street, then one blank and the house number when there is one.
    wxString GetAddressWithHousenumber();
};

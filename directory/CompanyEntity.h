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
    // The rule of GetAddressWithHousenumber for texts the caller already holds: the address,
    // one blank and the number when the number is not empty, else the address alone.
    static wxString JoinAddress(const wxString& address, const wxString& housenumber);

private:
    // The field at the place the declaration gives it, which a loaded record keeps; found by
    // key when the record has been reordered. Null when there is no such field.
    BKEntityType* DeclaredField(unsigned int declaredIndex, const wxString& key) const;
};

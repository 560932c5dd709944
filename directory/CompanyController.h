// Loads single companies and runs the directory search. A controller made by InitSearch holds
// the search's whole result and hands out one new record per call; records belong to the
// caller. Owns its query on the borrowed connection.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include "directory/CompanyEntity.h"
#include "directory/SQLiteController.h"
#include "directory/SearchKind.h"

class CompanyController : public SQLiteController {
public:
    explicit CompanyController(Brenik::BKSQLiteDatabase* database);

    // The company with that number (with an empty "sectors" field), owned by the caller;
    // null when there is none or the statement fails.
    CompanyEntity* LoadCompany(unsigned int id);
    // The same company with its "sectors" field filled as a search fills it (the names of its
    // sectors joined by ", "); null when there is none or the statement fails.
    CompanyEntity* LoadCompanyWithSectors(unsigned int id);

    // Starts a search for companies whose fields of the kind (by default name or managing
    // director) contain the text (SQL LIKE), restricted to companies filed under one of the
    // sectors (decimal sector numbers; an empty array means no restriction) and to the place
    // (see SearchConditions; empty for no restriction). Returns a new controller holding the
    // result, to be ended with DeinitSearch; null when the statement fails. This controller
    // only lends its connection.
    CompanyController* InitSearch(const wxString& text, const wxArrayString& sectors,
                                  const wxString& place = wxString(),
                                  SearchKind kind = SearchKind::kNameOrCeo);
    // The next found company as a new record owned by the caller, null when none is left.
    // Lets the toolkit handle pending events before returning, so a progress window can
    // repaint and be cancelled between records.
    CompanyEntity* RunSearch();
    // Deletes this controller, which must come from InitSearch; it is gone afterwards.
    void DeinitSearch();
    // The same for a controller that may be null.
    static void DeinitSearch(CompanyController* search);

    // The statement InitSearch runs for the text, sectors and place. Sector entries that are
    // not plain unsigned decimal numbers are dropped: they would go into the SQL unquoted.
    static wxString BuildSearchStatement(const wxString& text, const wxArrayString& sectors,
                                         const wxString& place = wxString(),
                                         SearchKind kind = SearchKind::kNameOrCeo);
};

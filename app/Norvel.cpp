#include "app/Norvel.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include "app/DirectorySite.h"
#include "app/ErrorBox.h"
#include "app/MainWindowFactory.h"
#include "lib/core/BKFile.h"
#include "lib/db/BKSQLiteDatabase.h"
#include "lib/db/BKSQLiteQuery.h"

const char* const Norvel::CompanyUrl = NORVEL_COMPANY_URL;

Norvel::Norvel() = default;

Norvel::~Norvel()
{
    rit.reset();
}

bool Norvel::OnInit()
{
    wxInitAllImageHandlers();
    wxXmlResource::Get()->InitAllHandlers();

    rit = CreateRuntimeInformation(argc > 0 ? argv[0] : wxString());
    SetUpLocale(rit.get());
    if (!OpenDatabase(rit.get()))
        return false;

    wxFrame* frame = CreateMainWindow(rit.get());
    // A missing or broken layout leaves the frame uncreated; the toolkit has reported it.
    if (!frame->GetHandle()) {
        delete frame;
        return false;
    }
    frame->Show(true);
    SetTopWindow(frame);
    return true;
}

void Norvel::ShowError(const wxString& title, const wxString& message)
{
    ShowErrorBox(nullptr, title, message);
}

std::unique_ptr<RuntimeInformationType> Norvel::CreateRuntimeInformation(
    const wxString& executableFile)
{
    const wxString resourceDirectory =
        wxString::FromUTF8("resources") + RuntimeInformationType::GetSep();
    return std::make_unique<RuntimeInformationType>(executableFile, resourceDirectory,
                                                    wxString::FromUTF8(".Norvel.conf"),
                                                    wxString::FromUTF8(CompanyUrl), nullptr, true);
}

wxLocale* Norvel::SetUpLocale(RuntimeInformationType* rit)
{
    // Without the German locale or the catalogue the program runs in English; the toolkit
    // would otherwise pop up an error box about it.
    wxLogNull quiet;
    auto* locale = new wxLocale;
    locale->Init(wxLANGUAGE_GERMAN, wxLOCALE_LOAD_DEFAULT);
    wxLocale::AddCatalogLookupPathPrefix(rit->GetResourcePath("languages", ""));
    locale->AddCatalog("Norvel", wxLANGUAGE_GERMAN, "utf8");
    rit->SetLocale(locale);
    return locale;
}

bool Norvel::HoldsDirectory(Brenik::BKSQLiteDatabase* database)
{
    // SQLite opens any file and fails only at the first statement, so a file that is no
    // directory would open an empty window whose every search fails. The statement reads no
    // row but needs every table and column the search reads.
    Brenik::BKSQLiteQuery probe(database);
    return probe.Query(
        "SELECT companies.id, companies.name, companies.ceo, sectors.id, "
        "sectors.sector, company_sectors.company, company_sectors.sector "
        "FROM companies, sectors, company_sectors LIMIT 0",
        false);
}

bool Norvel::OpenDatabase(RuntimeInformationType* rit)
{
    const wxString path = rit->GetResourcePath("db", "norvel.sqlite");
    if (!Brenik::BKFile::ExistsFile(path)) {
        ShowError(_("Database error"),
                  _("Could not find database file: ") + path + _(". Cannot start application."));
        return false;
    }
    // The program only reads the directory: SQLite's recovery would otherwise rewrite the file
    // at the first statement (rolling back an interrupted change) or leave a log beside it.
    auto* database = new Brenik::BKSQLiteDatabase(path);
    database->SetReadOnly(true);
    rit->SetDatabase(database, true);
    if (!database->Connect() || !HoldsDirectory(database)) {
        const wxString why = database->HoldsUnfinishedChanges()
                                 ? _(". It holds an unfinished change (a journal or log file "
                                     "beside it) that only writing to it could complete, and "
                                     "the program only reads it")
                                 : wxString();
        ShowError(_("Database error"),
                  _("Could not open database: ") + path + why + _(". Cannot start application."));
        return false;
    }
    return true;
}

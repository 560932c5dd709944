#include "directory/CompanyController.h"

#include <memory>

#include <wx/app.h>

#include "lib/core/BKCasts.h"
#include "lib/db/BKQuery.h"
#include "lib/db/BKQueryParser.h"
#include "lib/db/BKSQLiteQuery.h"

namespace {

const char* const kSelectText =
    "SELECT    companies.*,    (        SELECT \t\tGROUP_CONCAT(sectors.sector, ', ') \t\t"
    "FROM \t\t\tsectors \t\t INNER JOIN \t\t\tcompany_sectors ON company_sectors.sector = "
    "sectors.id \t\tWHERE \t\t\tcompany_sectors.company = companies.id    ) AS sectors FROM "
    "   companies ";

// LIKE here is the connection's own, which folds case and umlauts the German way: see
// CaseFoldingLike in lib/db/BKSQLiteDatabase.cpp.
const char* const kTextCondition =
    "( \tcompanies.name LIKE '%:search:%' \tOR \tcompanies.ceo LIKE '%:search:%' )";
// A place of digits is the beginning of a postcode, any other a part of a city's name. It
// stands before the text, whose two LIKEs over longer texts cost more, so that most rows are
// turned away by the cheaper test.
const char* const kPostcodeCondition = "companies.zipcode LIKE ':place:%' AND ";
const char* const kCityCondition = "companies.city LIKE '%:place:%' AND ";

bool IsPlainNumber(const wxString& text)
{
    if (text.empty())
        return false;
    for (wxUniChar c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// The text as it goes between the quotes of an SQL string literal. SQLite knows one escape
// there, the doubled quote: a backslash is an ordinary character and must not be doubled, or
// "Schräg\\Strich" finds nothing.
wxString InsideQuotes(const wxString& text)
{
    wxString quoted = text;
    quoted.Replace("'", "''");
    return quoted;
}

}  // namespace

CompanyController::CompanyController(Brenik::BKSQLiteDatabase* database)
    : SQLiteController(database, "companies", "id", "name", 1)
{
}

CompanyEntity* CompanyController::LoadCompany(unsigned int id)
{
    CompanyController loader(GetDatabase());
    if (!loader.Get(CompanyEntity::KeyOf(CompanyField::kId), wxString::Format("%u", id), false) ||
        !loader.Run())
        return nullptr;
    auto company = std::make_unique<CompanyEntity>(GetDatabase(), true);
    loader.Get(company.get());
    loader.Reset();
    return company.release();
}

CompanyEntity* CompanyController::LoadCompanyWithSectors(unsigned int id)
{
    CompanyController loader(GetDatabase());
    if (!loader.Create(kSelectText + wxString::Format(" WHERE companies.id = %u", id)) ||
        !loader.Run())
        return nullptr;
    auto company = std::make_unique<CompanyEntity>(GetDatabase(), true);
    loader.Get(company.get());
    loader.Reset();
    return company.release();
}

wxString CompanyController::BuildSearchStatement(const wxString& text, const wxArrayString& sectors,
                                                 const wxString& place)
{
    wxString statement = kSelectText;
    if (!sectors.empty()) {
        wxArrayString numbers;
        for (const wxString& sector : sectors) {
            if (IsPlainNumber(sector))
                numbers.Add(sector);
        }
        // A company filed under several of the chosen sectors is still one company: the
        // sectors restrict the companies instead of multiplying them by a join. Chosen
        // sectors that were all dropped match nothing rather than everything.
        statement +=
            " WHERE    companies.id IN (SELECT company_sectors.company FROM "
            "company_sectors WHERE company_sectors.sector IN (" +
            SQLiteEntity::ArrayStringToString(numbers, ", ", wxString()) + ")) AND ";
    } else {
        statement += " WHERE ";
    }
    if (!place.empty())
        statement += IsPlainNumber(place) ? kPostcodeCondition : kCityCondition;
    statement += kTextCondition;

    Brenik::BKQueryParser parser;
    parser.Prepare(statement);
    parser.Bind("search", InsideQuotes(text), false, false);
    parser.Bind("place", InsideQuotes(place), false, false);
    return parser.GetParsedQuery();
}

CompanyController* CompanyController::InitSearch(const wxString& text, const wxArrayString& sectors,
                                                 const wxString& place)
{
    auto search = std::make_unique<CompanyController>(GetDatabase());
    if (auto* query = dynamic_cast<Brenik::BKSQLiteQuery*>(search->GetQuery()))
        query->SetKeepRowsOnStop(true);
    if (!search->Create(BuildSearchStatement(text, sectors, place)))
        return nullptr;
    return search.release();
}

CompanyEntity* CompanyController::RunSearch()
{
    std::unique_ptr<CompanyEntity> company;
    if (Run()) {
        company = std::make_unique<CompanyEntity>(GetDatabase(), true);
        Get(company.get());
        const Brenik::BKCasts id = GetQuery()->GetField("id", true);
        if (!CompanyEntity::IsLoadableId(id.ToString()))
            company->Get("id")->SetUtf8(id.GetUtf8());
    }
    wxYield();
    return company.release();
}

bool CompanyController::WasStopped() const
{
    const auto* query = dynamic_cast<const Brenik::BKSQLiteQuery*>(GetQuery());
    return query && query->IsStopped();
}

void CompanyController::DeinitSearch()
{
    delete this;
}

void CompanyController::DeinitSearch(CompanyController* search)
{
    delete search;
}

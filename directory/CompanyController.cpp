#include "directory/CompanyController.h"

#include <memory>

#include <wx/app.h>

#include "directory/PhoneDigits.h"
#include "directory/SearchConditions.h"
#include "directory/SearchTemplate.h"
#include "lib/core/BKCasts.h"
#include "lib/db/BKQuery.h"

namespace {

const char* const kSelectText =
    "SELECT    companies.*,    (        SELECT \t\tGROUP_CONCAT(sectors.sector, ', ') \t\t"
    "FROM \t\t\tsectors \t\t INNER JOIN \t\t\tcompany_sectors ON company_sectors.sector = "
    "sectors.id \t\tWHERE \t\t\tcompany_sectors.company = companies.id    ) AS sectors FROM "
    "   companies ";

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
                                                 const wxString& place, SearchKind kind)
{
    SearchTemplate statement;
    statement += kSelectText;
    if (!sectors.empty()) {
        wxArrayString numbers;
        for (const wxString& sector : sectors) {
            if (SearchConditions::IsDigits(sector))
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
    // The place stands before the text, whose LIKEs over longer texts cost more, so that
    // most rows are turned away by the cheaper test.
    SearchConditions::AppendPlace(statement, place);
    SearchConditions::AppendText(statement, kind, text);
    return statement.Parse();
}

CompanyController* CompanyController::InitSearch(const wxString& text, const wxArrayString& sectors,
                                                 const wxString& place, SearchKind kind)
{
    // The telephone numbers' digits are an SQL function of the connection; without it a
    // statement that needs it fails.
    PhoneDigits::Register(GetDatabase());
    auto search = std::make_unique<CompanyController>(GetDatabase());
    if (!search->Create(BuildSearchStatement(text, sectors, place, kind)))
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
        if (!CompanyEntity::IsLoadableId(id.GetUtf8()))
            company->Get("id")->SetUtf8(id.GetUtf8());
    }
    wxYield();
    return company.release();
}

void CompanyController::DeinitSearch()
{
    delete this;
}

void CompanyController::DeinitSearch(CompanyController* search)
{
    delete search;
}

#include "ui/ResultRows.h"

#include <wx/translation.h>

#include "directory/CompanyEntity.h"
#include "lib/core/BKDateTime.h"

using Brenik::BKEntity;
using Brenik::BKListCtrl;

namespace {

// The result columns: heading (a message id) and width in pixels. The columns up to the city
// are narrow enough for company, postcode and city to show in the window at its first size.
struct ResultColumn {
    const char* heading;
    int width;
};
const ResultColumn kResultColumns[] = {
    {wxTRANSLATE("Sectors"), 110},  {wxTRANSLATE("Company"), 190}, {wxTRANSLATE("CEO"), 110},
    {wxTRANSLATE("Address"), 130},  {wxTRANSLATE("Zipcode"), 60},  {wxTRANSLATE("City"), 120},
    {wxTRANSLATE("Phone"), 250},    {wxTRANSLATE("Fax"), 250},     {wxTRANSLATE("Mobile"), 250},
    {wxTRANSLATE("Internet"), 250}, {wxTRANSLATE("E-Mail"), 250},  {wxTRANSLATE("Created"), 100},
    {wxTRANSLATE("Updated"), 100},
};
const int kResultColumnCount = sizeof(kResultColumns) / sizeof(kResultColumns[0]);

}  // namespace

void ResultRows::InsertColumns(wxListCtrl& list)
{
    for (int column = 0; column < kResultColumnCount; ++column)
        list.InsertColumn(column, wxGetTranslation(kResultColumns[column].heading),
                          wxLIST_FORMAT_LEFT, kResultColumns[column].width);
}

namespace {

// A time stamp shown as a German date (day.month.year); empty when it does not read.
wxString GermanDate(const CompanyEntity& company, CompanyField field)
{
    const BKEntity::BKEntityType* stamp = company.Field(field);
    return stamp ? stamp->ToDateTime('-').ToGermanDate() : wxString();
}

}  // namespace

// The texts are written straight into the row's strings, one allocation each.
BKListCtrl::BKListCtrlRow* ResultRows::Build(CompanyEntity* company)
{
    auto* row = new BKListCtrl::BKListCtrlRow(company);
    row->Add(wxString(), kResultColumnCount);
    wxArrayString& texts = *row;
    texts[0] = company->Text(CompanyField::kSectors);
    texts[1] = company->Text(CompanyField::kName);
    texts[2] = company->Text(CompanyField::kCeo);
    texts[3] = company->GetAddressWithHousenumber();
    texts[4] = company->Text(CompanyField::kZipcode);
    texts[5] = company->Text(CompanyField::kCity);
    texts[6] = company->Text(CompanyField::kPhone);
    texts[7] = company->Text(CompanyField::kFax);
    texts[8] = company->Text(CompanyField::kMobile);
    texts[9] = company->Text(CompanyField::kInternet);
    texts[10] = company->Text(CompanyField::kEmail);
    texts[11] = GermanDate(*company, CompanyField::kCreated);
    texts[12] = GermanDate(*company, CompanyField::kUpdated);
    return row;
}

#include "ui/ResultRows.h"

#include <string>
#include <string_view>

#include <wx/translation.h>

#include "directory/CompanyEntity.h"
#include "lib/core/BKDateTime.h"
#include "lib/core/BKShownText.h"

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

// A value as a result cell shows it, by the rule of every window: on one line, as a line
// break or other control character would draw over the neighbouring rows, and cut with an
// ellipsis, as a value of megabytes would take the list seconds and hundreds of megabytes to
// lay out. The record keeps the whole value for the windows and exports.
void SetCell(wxString& cell, std::string_view utf8)
{
    using Brenik::BKShownText;
    BKShownText::Assign(utf8, BKShownText::Lines::kOne, BKShownText::kLineLength, cell);
}

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

// The texts are written straight from the record's UTF-8 into the row's strings, one
// allocation each.
BKListCtrl::BKListCtrlRow* ResultRows::Build(CompanyEntity* company)
{
    auto* row = new BKListCtrl::BKListCtrlRow(company);
    row->Add(wxString(), kResultColumnCount);
    wxArrayString& texts = *row;
    SetCell(texts[0], company->Utf8(CompanyField::kSectors));
    SetCell(texts[1], company->Utf8(CompanyField::kName));
    SetCell(texts[2], company->Utf8(CompanyField::kCeo));
    const std::string_view street = company->Utf8(CompanyField::kAddress);
    const std::string_view number = company->Utf8(CompanyField::kHousenumber);
    if (number.empty()) {
        SetCell(texts[3], street);
    } else {
        thread_local std::string address;
        address.assign(street).append(1, ' ').append(number);
        SetCell(texts[3], address);
    }
    SetCell(texts[4], company->Utf8(CompanyField::kZipcode));
    SetCell(texts[5], company->Utf8(CompanyField::kCity));
    SetCell(texts[6], company->Utf8(CompanyField::kPhone));
    SetCell(texts[7], company->Utf8(CompanyField::kFax));
    SetCell(texts[8], company->Utf8(CompanyField::kMobile));
    SetCell(texts[9], company->Utf8(CompanyField::kInternet));
    SetCell(texts[10], company->Utf8(CompanyField::kEmail));
    texts[11] = GermanDate(*company, CompanyField::kCreated);
    texts[12] = GermanDate(*company, CompanyField::kUpdated);
    return row;
}

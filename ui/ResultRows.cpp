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

// The most of a value a result cell shows: more than the widest column on a screen. A value
// of megabytes from the directory would take the list seconds and hundreds of megabytes to
// lay out, and draw garbage.
constexpr size_t kMaxCellLength = 500;

// A value as a result cell shows it: on one line, as a line break or other control character
// would draw over the neighbouring rows, and cut with an ellipsis after kMaxCellLength
// characters. The record keeps the whole value for the windows and exports.
wxString CellText(wxString text)
{
    if (text.length() > kMaxCellLength) {
        text.Truncate(kMaxCellLength);
        text += wxUniChar(0x2026);
    }
    for (wxString::iterator c = text.begin(); c != text.end(); ++c) {
        const wxUint32 code = wxUniChar(*c).GetValue();
        if (code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x2028 || code == 0x2029)
            *c = ' ';
    }
    return text;
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

// The texts are written straight into the row's strings, one allocation each.
BKListCtrl::BKListCtrlRow* ResultRows::Build(CompanyEntity* company)
{
    auto* row = new BKListCtrl::BKListCtrlRow(company);
    row->Add(wxString(), kResultColumnCount);
    wxArrayString& texts = *row;
    texts[0] = CellText(company->Text(CompanyField::kSectors));
    texts[1] = CellText(company->Text(CompanyField::kName));
    texts[2] = CellText(company->Text(CompanyField::kCeo));
    texts[3] = CellText(company->GetAddressWithHousenumber());
    texts[4] = CellText(company->Text(CompanyField::kZipcode));
    texts[5] = CellText(company->Text(CompanyField::kCity));
    texts[6] = CellText(company->Text(CompanyField::kPhone));
    texts[7] = CellText(company->Text(CompanyField::kFax));
    texts[8] = CellText(company->Text(CompanyField::kMobile));
    texts[9] = CellText(company->Text(CompanyField::kInternet));
    texts[10] = CellText(company->Text(CompanyField::kEmail));
    texts[11] = GermanDate(*company, CompanyField::kCreated);
    texts[12] = GermanDate(*company, CompanyField::kUpdated);
    return row;
}

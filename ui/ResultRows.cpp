#include "ui/ResultRows.h"

#include <wx/translation.h>

#include "directory/CompanyEntity.h"
#include "lib/core/BKDateTime.h"

using Brenik::BKEntity;
using Brenik::BKListCtrl;

namespace {

// The result columns: heading (a message id) and width in pixels.
struct ResultColumn {
    const char* heading;
    int width;
};
const ResultColumn kResultColumns[] = {
    {wxTRANSLATE("Sectors"), 250},  {wxTRANSLATE("Company"), 250}, {wxTRANSLATE("CEO"), 250},
    {wxTRANSLATE("Address"), 250},  {wxTRANSLATE("Zipcode"), 100}, {wxTRANSLATE("City"), 250},
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

// The texts are written straight into the row's strings, one allocation each.
BKListCtrl::BKListCtrlRow* ResultRows::Build(CompanyEntity* company)
{
    auto* row = new BKListCtrl::BKListCtrlRow(company);
    row->Add(wxString(), kResultColumnCount);
    wxArrayString& texts = *row;
    SetText(texts[0], company, sectors);
    SetText(texts[1], company, name);
    SetText(texts[2], company, ceo);
    SetAddress(texts[3], company);
    SetText(texts[4], company, zipcode);
    SetText(texts[5], company, city);
    SetText(texts[6], company, phone);
    SetText(texts[7], company, fax);
    SetText(texts[8], company, mobile);
    SetText(texts[9], company, internet);
    SetText(texts[10], company, email);
    SetDate(texts[11], company, created);
    SetDate(texts[12], company, updated);
    return row;
}

BKEntity::BKEntityType* ResultRows::Field(CompanyEntity* company, Slot& slot)
{
    BKEntity::BKEntityType* field = company->Get(slot.index);
    if (field && &field->GetAttributes() == slot.attributes)
        return field;
    field = company->Get(wxString::FromUTF8(slot.key));
    if (!field)
        return nullptr;
    for (unsigned int index = 0; index < company->GetCount(); ++index) {
        if (company->Get(index) == field) {
            slot.index = index;
            slot.attributes = &field->GetAttributes();
            break;
        }
    }
    return field;
}

void ResultRows::SetText(wxString& target, CompanyEntity* company, Slot& slot)
{
    if (BKEntity::BKEntityType* field = Field(company, slot))
        target = field->ToString();
}

void ResultRows::SetAddress(wxString& target, CompanyEntity* company)
{
    BKEntity::BKEntityType* street = Field(company, address);
    BKEntity::BKEntityType* number = Field(company, housenumber);
    target = CompanyEntity::JoinAddress(street ? street->ToString() : wxString(),
                                        number ? number->ToString() : wxString());
}

void ResultRows::SetDate(wxString& target, CompanyEntity* company, Slot& slot)
{
    if (BKEntity::BKEntityType* field = Field(company, slot))
        target = field->ToDateTime('-').ToGermanDate();
}

#include "lib/gui/BKBind.h"

#include "lib/core/BKCasts.h"
#include "lib/core/BKCurrency.h"
#include "lib/core/BKDateTime.h"
#include "lib/entity/BKEntity.h"

namespace Brenik {

namespace {

const unsigned int kMoneyType = 10;

using Field = BKEntity::BKEntityType;

// Selects the index when the control has it; -1 clears the selection.
template <typename Control>
void SelectIndex(Control* control, int index)
{
    if (index == wxNOT_FOUND ||
        (index >= 0 && static_cast<unsigned int>(index) < control->GetCount()))
        control->SetSelection(index);
}

void PushValue(const BKBind::BKBindTextCtrlType& record, const Field& field)
{
    if (field.GetType() == kMoneyType)
        record.GetValue()->SetValue(field.ToCurrency().ToString());
    else
        record.GetValue()->SetValue(field.ToString());
}

void PushValue(const BKBind::BKBindComboBoxType& record, const Field& field)
{
    wxComboBox* control = record.GetValue();
    if (record.GetKind() == BKBind::kValue)
        control->SetValue(field.ToString());
    else if (record.GetKind() == BKBind::kIndex)
        SelectIndex(control, field.ToInt());
    else if (record.GetKind() == BKBind::kString)
        control->SetStringSelection(field.ToString());
}

void PushValue(const BKBind::BKBindListBoxType& record, const Field& field)
{
    wxListBox* control = record.GetValue();
    if (record.GetKind() == BKBind::kIndex)
        SelectIndex(control, field.ToInt());
    else if (record.GetKind() == BKBind::kString)
        control->SetStringSelection(field.ToString());
}

void PushValue(const BKBind::BKBindSpinCtrlType& record, const Field& field)
{
    record.GetValue()->SetValue(field.ToInt());
}

void PushValue(const BKBind::BKBindCheckBoxType& record, const Field& field)
{
    record.GetValue()->SetValue(field.ToBool());
}

void PushValue(const BKBind::BKBindDatePickerCtrlType& record, const Field& field)
{
    wxDatePickerCtrl* control = record.GetValue();
    BKDateTime date;
    date.SetAmericanDate(field.ToString());
    // Only a picker that allows no date can be emptied, and none takes a date outside its
    // range: the toolkit asserts on both.
    if (!date.IsValid()) {
        if (control->HasFlag(wxDP_ALLOWNONE))
            control->SetValue(wxDateTime());
        return;
    }
    wxDateTime first, last;
    control->GetRange(&first, &last);
    if ((first.IsValid() && date.IsEarlierThan(first)) ||
        (last.IsValid() && date.IsLaterThan(last)))
        return;
    control->SetValue(date);
}

void PullValue(const BKBind::BKBindTextCtrlType& record, BKEntity& entity)
{
    entity.SetValue(record.GetKey(), record.GetValue()->GetValue());
}

void PullValue(const BKBind::BKBindComboBoxType& record, BKEntity& entity)
{
    wxComboBox* control = record.GetValue();
    if (record.GetKind() == BKBind::kValue)
        entity.SetValue(record.GetKey(), control->GetValue());
    else if (record.GetKind() == BKBind::kIndex)
        entity.SetValue(record.GetKey(), control->GetSelection());
    else if (record.GetKind() == BKBind::kString)
        entity.SetValue(record.GetKey(), control->GetStringSelection());
}

void PullValue(const BKBind::BKBindListBoxType& record, BKEntity& entity)
{
    wxListBox* control = record.GetValue();
    if (record.GetKind() == BKBind::kIndex)
        entity.SetValue(record.GetKey(), control->GetSelection());
    else if (record.GetKind() == BKBind::kString)
        entity.SetValue(record.GetKey(), control->GetStringSelection());
}

void PullValue(const BKBind::BKBindSpinCtrlType& record, BKEntity& entity)
{
    entity.SetValue(record.GetKey(), record.GetValue()->GetValue());
}

void PullValue(const BKBind::BKBindCheckBoxType& record, BKEntity& entity)
{
    entity.SetValue(record.GetKey(), record.GetValue()->GetValue());
}

void PullValue(const BKBind::BKBindDatePickerCtrlType& record, BKEntity& entity)
{
    BKDateTime date;
    date.SetWxDateTime(record.GetValue()->GetValue());
    entity.SetValue(record.GetKey(), date.ToDatabaseDateTime());
}

}  // namespace

BKClassInfo BKBind::BKBindType::GetClassInfo() const
{
    return BKClassInfo::Make("BKBindType", "0.0.1");
}

BKClassInfo BKBind::BKBindTextCtrlType::GetClassInfo() const
{
    return BKClassInfo::Make("BKBindTextCtrlType", "0.0.1");
}

BKClassInfo BKBind::BKBindComboBoxType::GetClassInfo() const
{
    return BKClassInfo::Make("BKBindComboBoxType", "0.0.1");
}

BKClassInfo BKBind::BKBindListBoxType::GetClassInfo() const
{
    return BKClassInfo::Make("BKBindListBoxType", "0.0.1");
}

BKClassInfo BKBind::BKBindSpinCtrlType::GetClassInfo() const
{
    return BKClassInfo::Make("BKBindSpinCtrlType", "0.0.1");
}

BKClassInfo BKBind::BKBindCheckBoxType::GetClassInfo() const
{
    return BKClassInfo::Make("BKBindCheckBoxType", "0.0.1");
}

BKClassInfo BKBind::BKBindDatePickerCtrlType::GetClassInfo() const
{
    return BKClassInfo::Make("BKBindDatePickerCtrlType", "0.0.1");
}

BKBind::BKBind(BKEntity* entity) : BKLib(nullptr), entity(entity) {}

BKBind::~BKBind() = default;

BKClassInfo BKBind::GetClassInfo() const
{
    return BKClassInfo::Make("BKBind", "0.0.5");
}

template <typename Record, typename Control>
void BKBind::Append(const wxString& key, Control* control, unsigned int kind)
{
    Get(key, true);
    std::get<Records<Record>>(records).push_back(std::make_unique<Record>(key, control, kind));
}

void BKBind::Bind(const wxString& key, wxTextCtrl* control)
{
    Append<BKBindTextCtrlType>(key, control, 0);
}

void BKBind::Bind(const wxString& key, wxComboBox* control, unsigned int kind)
{
    Append<BKBindComboBoxType>(key, control, kind);
}

void BKBind::Bind(const wxString& key, wxListBox* control, unsigned int kind)
{
    Append<BKBindListBoxType>(key, control, kind);
}

void BKBind::Bind(const wxString& key, wxSpinCtrl* control)
{
    Append<BKBindSpinCtrlType>(key, control, 0);
}

void BKBind::Bind(const wxString& key, wxCheckBox* control)
{
    Append<BKBindCheckBoxType>(key, control, 0);
}

void BKBind::Bind(const wxString& key, wxDatePickerCtrl* control)
{
    Append<BKBindDatePickerCtrlType>(key, control, 0);
}

wxWindow* BKBind::Get(const wxString& key, bool remove)
{
    wxWindow* found = nullptr;
    bool done = false;
    ForEachList([&](auto& list) {
        for (auto it = list.begin(); !done && it != list.end(); ++it) {
            if ((*it)->GetKey() != key)
                continue;
            found = (*it)->GetValue();
            done = true;
            if (remove)
                list.erase(it);
            break;
        }
    });
    return found;
}

void BKBind::Push()
{
    if (!entity)
        return;
    ForEachList([this](auto& list) {
        for (const auto& record : list) {
            const Field* field = record->GetValue() ? entity->Get(record->GetKey()) : nullptr;
            if (field)
                PushValue(*record, *field);
        }
    });
}

void BKBind::Pull()
{
    if (!entity)
        return;
    ForEachList([this](auto& list) {
        for (const auto& record : list) {
            if (record->GetValue() && entity->Get(record->GetKey()))
                PullValue(*record, *entity);
        }
    });
}

void BKBind::EnableAll(bool enable)
{
    ForEachList([enable](auto& list) {
        for (const auto& record : list) {
            if (record->GetValue())
                record->GetValue()->Enable(enable);
        }
    });
}

unsigned int BKBind::GetCount() const
{
    size_t count = 0;
    std::apply([&count](const auto&... lists) { ((count += lists.size()), ...); }, records);
    return static_cast<unsigned int>(count);
}

}  // namespace Brenik

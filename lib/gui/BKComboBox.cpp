#include "lib/gui/BKComboBox.h"

#include <algorithm>
#include <climits>

namespace Brenik {

wxClassInfo BKComboBox::ms_classInfo(wxT("Brenik::BKComboBox"), &wxComboBox::ms_classInfo, nullptr,
                                     static_cast<int>(sizeof(BKComboBox)),
                                     BKComboBox::wxCreateObject);

wxObject* BKComboBox::wxCreateObject()
{
    return new BKComboBox;
}

BKComboBox::BKComboBox(wxWindow* parent, int id, const wxString& value, bool* change,
                       const wxPoint& pos, const wxSize& size, int n, const wxString choices[],
                       long style, const wxValidator& validator, const wxString& name)
    : BKToolkitClassBase(parent, id, value, pos, size, n, choices, style, validator, name),
      BKChangeInterface(change)
{
}

BKComboBox::BKComboBox(wxWindow* parent, int id, const wxString& value, bool* change,
                       const wxPoint& pos, const wxSize& size, const wxArrayString& choices,
                       long style, const wxValidator& validator, const wxString& name)
    : BKToolkitClassBase(parent, id, value, pos, size, choices, style, validator, name),
      BKChangeInterface(change)
{
}

BKClassInfo BKComboBox::ChangeClassInfo() const
{
    return BKClassInfo::Make("BKComboBox", "0.0.3");
}

void BKComboBox::SetMaxLength(unsigned long maxLength)
{
    this->maxLength = static_cast<unsigned int>(std::min<unsigned long>(maxLength, UINT_MAX));
}

void BKComboBox::ChangeEvent(wxCommandEvent& event)
{
    Change(event.GetString());
    event.Skip();
}

void BKComboBox::Change(const wxString& value)
{
    if (maxLength == 0 || value.length() <= maxLength)
        SetChanged(true);
}

// clang-format off
wxBEGIN_EVENT_TABLE(BKComboBox, wxComboBox)
    EVT_TEXT(wxID_ANY, BKComboBox::ChangeEvent)
    EVT_COMBOBOX(wxID_ANY, BKComboBox::ChangeEvent)
wxEND_EVENT_TABLE()

}  // namespace Brenik
// clang-format on

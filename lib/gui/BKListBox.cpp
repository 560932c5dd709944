#include "lib/gui/BKListBox.h"

namespace Brenik {

wxClassInfo BKListBox::ms_classInfo(wxT("Brenik::BKListBox"), &wxListBox::ms_classInfo, nullptr,
                                    static_cast<int>(sizeof(BKListBox)), BKListBox::wxCreateObject);

wxObject* BKListBox::wxCreateObject()
{
    return new BKListBox;
}

BKListBox::BKListBox(wxWindow* parent, int id, bool* change, const wxPoint& pos, const wxSize& size,
                     int n, const wxString choices[], long style, const wxValidator& validator,
                     const wxString& name)
    : BKToolkitClassBase(parent, id, pos, size, n, choices, style, validator, name),
      BKChangeInterface(change)
{
}

BKListBox::BKListBox(wxWindow* parent, int id, bool* change, const wxPoint& pos, const wxSize& size,
                     const wxArrayString& choices, long style, const wxValidator& validator,
                     const wxString& name)
    : BKToolkitClassBase(parent, id, pos, size, choices, style, validator, name),
      BKChangeInterface(change)
{
}

BKClassInfo BKListBox::ChangeClassInfo() const
{
    return BKClassInfo::Make("BKListBox", "0.0.1");
}

void BKListBox::ChangeEvent(wxCommandEvent& event)
{
    SetChanged(true);
    event.Skip();
}

// clang-format off
wxBEGIN_EVENT_TABLE(BKListBox, wxListBox)
    EVT_LISTBOX(wxID_ANY, BKListBox::ChangeEvent)
wxEND_EVENT_TABLE()

}  // namespace Brenik
// clang-format on

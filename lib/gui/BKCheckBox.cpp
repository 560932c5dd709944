#include "lib/gui/BKCheckBox.h"

namespace Brenik {

wxClassInfo BKCheckBox::ms_classInfo(wxT("Brenik::BKCheckBox"), &wxCheckBox::ms_classInfo, nullptr,
                                     static_cast<int>(sizeof(BKCheckBox)),
                                     BKCheckBox::wxCreateObject);

wxObject* BKCheckBox::wxCreateObject()
{
    return new BKCheckBox;
}

BKCheckBox::BKCheckBox(wxWindow* parent, int id, const wxString& label, bool* change,
                       const wxPoint& pos, const wxSize& size, long style,
                       const wxValidator& validator, const wxString& name)
    : BKToolkitClassBase(parent, id, label, pos, size, style, validator, name),
      BKChangeInterface(change)
{
}

BKClassInfo BKCheckBox::ChangeClassInfo() const
{
    return BKClassInfo::Make("BKCheckBox", "0.0.1");
}

void BKCheckBox::ChangeEvent(wxCommandEvent& event)
{
    SetChanged(true);
    event.Skip();
}

// clang-format off
wxBEGIN_EVENT_TABLE(BKCheckBox, wxCheckBox)
    EVT_CHECKBOX(wxID_ANY, BKCheckBox::ChangeEvent)
wxEND_EVENT_TABLE()

}  // namespace Brenik
// clang-format on

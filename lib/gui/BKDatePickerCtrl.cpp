#include "lib/gui/BKDatePickerCtrl.h"

namespace Brenik {

wxClassInfo BKDatePickerCtrl::ms_classInfo(wxT("Brenik::BKDatePickerCtrl"),
                                           &wxDatePickerCtrl::ms_classInfo, nullptr,
                                           static_cast<int>(sizeof(BKDatePickerCtrl)),
                                           BKDatePickerCtrl::wxCreateObject);

wxObject* BKDatePickerCtrl::wxCreateObject()
{
    return new BKDatePickerCtrl;
}

BKDatePickerCtrl::BKDatePickerCtrl(wxWindow* parent, int id, const wxDateTime& date, bool* change,
                                   const wxPoint& pos, const wxSize& size, long style,
                                   const wxValidator& validator, const wxString& name)
    : BKToolkitClassBase(parent, id, date, pos, size, style, validator, name),
      BKChangeInterface(change)
{
}

BKClassInfo BKDatePickerCtrl::ChangeClassInfo() const
{
    return BKClassInfo::Make("BKDatePickerCtrl", "0.0.1");
}

void BKDatePickerCtrl::ChangeEvent(wxDateEvent& event)
{
    SetChanged(true);
    event.Skip();
}

// clang-format off
wxBEGIN_EVENT_TABLE(BKDatePickerCtrl, wxDatePickerCtrl)
    EVT_DATE_CHANGED(wxID_ANY, BKDatePickerCtrl::ChangeEvent)
wxEND_EVENT_TABLE()

}  // namespace Brenik
// clang-format on

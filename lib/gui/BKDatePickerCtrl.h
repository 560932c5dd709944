// A date picker that stores true through its form's change flag when the user changes the
// date. Dates the program sets raise no event and so are no change.
#pragma once

#include <wx/datectrl.h>
#include <wx/dateevt.h>

#include "lib/gui/BKChangeInterface.h"
#include "lib/gui/BKToolkitClassBase.h"

namespace Brenik {

class BKDatePickerCtrl : public BKToolkitClassBase<wxDatePickerCtrl, BKDatePickerCtrl>,
                         public BKChangeInterface {
public:
    // Two-step creation, used by XRC layouts (subclass="Brenik::BKDatePickerCtrl").
    explicit BKDatePickerCtrl(bool* change = nullptr) : BKChangeInterface(change) {}
    BKDatePickerCtrl(wxWindow* parent, int id, const wxDateTime& date = wxDefaultDateTime,
                     bool* change = nullptr, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize,
                     long style = wxDP_DEFAULT | wxDP_SHOWCENTURY,
                     const wxValidator& validator = wxDefaultValidator,
                     const wxString& name = wxDatePickerCtrlNameStr);

    using BKChangeInterface::GetClassInfo;

    // Toolkit run-time class record and factory (what wxDECLARE_DYNAMIC_CLASS would declare).
    static wxClassInfo ms_classInfo;
    static wxObject* wxCreateObject();

    void ChangeEvent(wxDateEvent& event);

protected:
    BKClassInfo ChangeClassInfo() const override;

private:
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Brenik

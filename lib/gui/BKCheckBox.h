// A check box that stores true through its form's change flag when the user clicks it.
#pragma once

#include <wx/checkbox.h>

#include "lib/gui/BKChangeInterface.h"
#include "lib/gui/BKToolkitClassBase.h"

namespace Brenik {

class BKCheckBox : public BKToolkitClassBase<wxCheckBox, BKCheckBox>, public BKChangeInterface {
public:
    // Two-step creation, used by XRC layouts (subclass="Brenik::BKCheckBox").
    explicit BKCheckBox(bool* change = nullptr) : BKChangeInterface(change) {}
    BKCheckBox(wxWindow* parent, int id, const wxString& label, bool* change = nullptr,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = 0, const wxValidator& validator = wxDefaultValidator,
               const wxString& name = wxCheckBoxNameStr);

    using BKChangeInterface::GetClassInfo;

    // Toolkit run-time class record and factory (what wxDECLARE_DYNAMIC_CLASS would declare).
    static wxClassInfo ms_classInfo;
    static wxObject* wxCreateObject();

    void ChangeEvent(wxCommandEvent& event);

protected:
    BKClassInfo ChangeClassInfo() const override;

private:
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Brenik

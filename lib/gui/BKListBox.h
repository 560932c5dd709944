// A list box that stores true through its form's change flag when the user selects an item.
#pragma once

#include <wx/listbox.h>

#include "lib/gui/BKChangeInterface.h"
#include "lib/gui/BKToolkitClassBase.h"

namespace Brenik {

class BKListBox : public BKToolkitClassBase<wxListBox, BKListBox>, public BKChangeInterface {
public:
    // Two-step creation, used by XRC layouts (subclass="Brenik::BKListBox").
    explicit BKListBox(bool* change = nullptr) : BKChangeInterface(change) {}
    BKListBox(wxWindow* parent, int id, bool* change = nullptr,
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, int n = 0,
              const wxString choices[] = nullptr, long style = 0,
              const wxValidator& validator = wxDefaultValidator,
              const wxString& name = wxListBoxNameStr);
    BKListBox(wxWindow* parent, int id, bool* change, const wxPoint& pos, const wxSize& size,
              const wxArrayString& choices, long style = 0,
              const wxValidator& validator = wxDefaultValidator,
              const wxString& name = wxListBoxNameStr);

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

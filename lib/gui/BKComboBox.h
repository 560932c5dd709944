// A combo box that stores true through its form's change flag when the user types into it or
// selects an item. With a maximum length, only a value no longer than the maximum counts as
// a change; the text itself is never cut.
#pragma once

#include <wx/combobox.h>

#include "lib/gui/BKChangeInterface.h"
#include "lib/gui/BKToolkitClassBase.h"

namespace Brenik {

class BKComboBox : public BKToolkitClassBase<wxComboBox, BKComboBox>, public BKChangeInterface {
public:
    // Two-step creation, used by XRC layouts (subclass="Brenik::BKComboBox").
    explicit BKComboBox(bool* change = nullptr) : BKChangeInterface(change) {}
    BKComboBox(wxWindow* parent, int id, const wxString& value = wxEmptyString,
               bool* change = nullptr, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, int n = 0, const wxString choices[] = nullptr,
               long style = 0, const wxValidator& validator = wxDefaultValidator,
               const wxString& name = wxComboBoxNameStr);
    BKComboBox(wxWindow* parent, int id, const wxString& value, bool* change, const wxPoint& pos,
               const wxSize& size, const wxArrayString& choices, long style = 0,
               const wxValidator& validator = wxDefaultValidator,
               const wxString& name = wxComboBoxNameStr);

    using BKChangeInterface::GetClassInfo;

    // Toolkit run-time class record and factory (what wxDECLARE_DYNAMIC_CLASS would declare).
    static wxClassInfo ms_classInfo;
    static wxObject* wxCreateObject();

    // 0 means no limit. Replaces the toolkit's limit, which would cut the text.
    void SetMaxLength(unsigned long maxLength) override;
    unsigned int GetMaxLength() const { return maxLength; }

    void ChangeEvent(wxCommandEvent& event);

protected:
    BKClassInfo ChangeClassInfo() const override;

private:
    // Stores the change unless the new value is longer than the maximum.
    void Change(const wxString& value);

    unsigned int maxLength = 0;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace Brenik

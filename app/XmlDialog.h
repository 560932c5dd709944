// Base of the program's dialogs: builds the dialog from the XRC layout file of its name in
// the resource directory and sets the program icon. Borrows the runtime information.
#pragma once

#include <wx/dialog.h>

class RuntimeInformationType;

class XmlDialog : public wxDialog {
public:
    XmlDialog(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name);
    XmlDialog(RuntimeInformationType* rit, const wxString& name);

    // A window about to be shown is first fitted to its screen (ScreenFit).
    bool Show(bool show = true) override;

    void Init(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name);

    wxString GetDialogName() const { return dialogName; }
    RuntimeInformationType* GetRit() { return rit; }

private:
    RuntimeInformationType* rit = nullptr;
    wxString dialogName;
};

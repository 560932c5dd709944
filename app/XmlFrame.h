// Base of the program's frames: builds the window from the XRC layout file of its name in
// the resource directory and sets the program icon. Borrows the runtime information.
#pragma once

#include <wx/frame.h>

class RuntimeInformationType;

class XmlFrame : public wxFrame {
public:
    XmlFrame(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name);
    XmlFrame(RuntimeInformationType* rit, const wxString& name);

    // A window about to be shown is first fitted to its screen (ScreenFit).
    bool Show(bool show = true) override;

    void Init(wxWindow* parent, int id, RuntimeInformationType* rit, const wxString& name);

    wxString GetFrameName() const { return frameName; }
    RuntimeInformationType* GetRit() { return rit; }

private:
    RuntimeInformationType* rit = nullptr;
    wxString frameName;
};

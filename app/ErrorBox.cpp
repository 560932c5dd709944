#include "app/ErrorBox.h"

#include <wx/msgdlg.h>

void ShowErrorBox(wxWindow* parent, const wxString& title, const wxString& message)
{
    wxMessageDialog box(parent, message, title, wxOK | wxCENTRE);
    box.CentreOnScreen(wxBOTH);
    box.ShowModal();
}

// The program's one error box: a modal message with an OK button, centred, over the parent
// window or over none. Every window's ShowError calls it.
#pragma once

#include <wx/string.h>

class wxWindow;

// Shows the box and returns once the user has closed it; the box is gone then.
void ShowErrorBox(wxWindow* parent, const wxString& title, const wxString& message);

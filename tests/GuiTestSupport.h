// Helpers for GUI tests: answering a message box while recording what it said.
#pragma once

#include <wx/msgdlg.h>
#include <wx/testing.h>

// Answers the next wxMessageDialog with the given button and records its text and caption.
class ExpectMessageBox : public wxExpectModal<wxMessageDialog> {
public:
    ExpectMessageBox(wxString* message, wxString* caption, int button = wxOK)
        : wxExpectModal<wxMessageDialog>(button), message(message), caption(caption)
    {
    }

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        if (message)
            *message = dialog->GetMessage();
        if (caption)
            *caption = dialog->GetCaption();
        return wxExpectModal<wxMessageDialog>::OnInvoked(dialog);
    }

private:
    wxString* message;
    wxString* caption;
};

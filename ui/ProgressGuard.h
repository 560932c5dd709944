// Shows the progress window around one long job (a search, an export) and takes it away
// again: made modal, shown and painted when the guard is made; modality ended, closed and
// destroyed by End or when the guard goes. While it lives, idle and interface-update events
// go only to windows that ask for them, so that the job's many yields stay cheap. Owns the
// progress window until End.
#pragma once

#include <wx/event.h>

#include "ui/ProgressFrame.h"

class RuntimeInformationType;

class ProgressGuard {
public:
    // The task says in the window's title what the job does ("Searching companies").
    ProgressGuard(wxWindow* parent, RuntimeInformationType* rit, const wxString& task = wxString());
    ~ProgressGuard();
    ProgressGuard(const ProgressGuard&) = delete;
    ProgressGuard& operator=(const ProgressGuard&) = delete;

    // The window until End; null after it.
    ProgressFrame* operator->() const { return progress; }
    // Takes the window away, so that a box shown next is not covered by it.
    void End();

private:
    ProgressFrame* progress = nullptr;
    wxIdleMode idleMode;
    wxUpdateUIMode updateMode;
};

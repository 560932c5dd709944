#include "ui/ProgressGuard.h"

#include <wx/app.h>

ProgressGuard::ProgressGuard(wxWindow* parent, RuntimeInformationType* rit, const wxString& task)
    : idleMode(wxIdleEvent::GetMode()), updateMode(wxUpdateUIEvent::GetMode())
{
    // Every yield sends idle and interface-update events to every window of the program:
    // more work than a step of the job itself. Nothing listens to them while the job runs.
    wxIdleEvent::SetMode(wxIDLE_PROCESS_SPECIFIED);
    wxUpdateUIEvent::SetMode(wxUPDATE_UI_PROCESS_SPECIFIED);

    progress = new ProgressFrame(parent, -1, rit);
    if (!task.empty())
        progress->SetTitle(task);
    progress->MakeModal(true);
    progress->Show();
    progress->WaitUntilPainted(std::chrono::milliseconds(500));
}

ProgressGuard::~ProgressGuard()
{
    End();
}

void ProgressGuard::End()
{
    if (!progress)
        return;
    progress->MakeModal(false);
    progress->Close(true);
    progress->Destroy();
    progress = nullptr;
    wxIdleEvent::SetMode(idleMode);
    wxUpdateUIEvent::SetMode(updateMode);
}

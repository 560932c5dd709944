#include "ui/CompanyFrames.h"

#include <wx/display.h>

#include "ui/CompanyFrame.h"

namespace {

// How far each window is set off from the one opened before it: enough to show its title.
const wxPoint kCascadeStep(32, 32);

}  // namespace

CompanyFrame* CompanyFrames::FindCompany(unsigned int companyId) const
{
    for (CompanyFrame* frame : items) {
        if (frame->GetCompanyId() == companyId)
            return frame;
    }
    return nullptr;
}

void CompanyFrames::Place(CompanyFrame* frame) const
{
    CompanyFrame* previous = nullptr;
    for (CompanyFrame* open : items) {
        if (open != frame)
            previous = open;
    }
    if (!previous) {
        frame->CentreOnScreen(wxBOTH);
        return;
    }
    const int display = wxDisplay::GetFromWindow(previous);
    const wxRect area =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned int>(display)).GetClientArea();
    wxPoint position = previous->GetPosition() + kCascadeStep;
    if (position.x + frame->GetSize().GetWidth() > area.GetRight() + 1)
        position.x = area.GetLeft();
    if (position.y + frame->GetSize().GetHeight() > area.GetBottom() + 1)
        position.y = area.GetTop();
    frame->Move(position);
}

void CompanyFrames::Leave(CompanyFrame* frame)
{
    RemoveItem(frame);
    if (leaveHandler)
        leaveHandler();
}

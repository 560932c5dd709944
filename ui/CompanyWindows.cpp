#include "ui/CompanyWindows.h"

#include <wx/display.h>

#include "directory/CompanyEntity.h"
#include "ui/CompanyFrame.h"

namespace {

// How far each window is set off from the one opened before it: enough to show its title.
const wxPoint kCascadeStep(32, 32);

}  // namespace

CompanyWindows::CompanyWindows(wxWindow* parent, RuntimeInformationType* rit,
                               std::function<void()> closed)
    : parent(parent), rit(rit), closed(std::move(closed))
{
}

CompanyWindows::~CompanyWindows()
{
    for (CompanyFrame* frame : CompanyFrame::GetOpen()) {
        if (frame->GetParent() == parent)
            frame->SetClosedHandler(nullptr);
    }
}

void CompanyWindows::Open(CompanyEntity& company)
{
    // A company is never open twice: its window comes to the front instead.
    if (CompanyFrame* open = CompanyFrame::Find(company.GetId())) {
        if (open->IsIconized())
            open->Iconize(false);
        open->Raise();
        return;
    }
    auto* frame = new CompanyFrame(parent, -1, rit, &company);
    if (!frame->GetHandle()) {
        // A window never created is deleted, not destroyed.
        delete frame;
        return;
    }
    frame->SetClosedHandler(closed);
    Place(*frame);
    frame->Show();
}

void CompanyWindows::Place(CompanyFrame& frame)
{
    CompanyFrame* previous = nullptr;
    for (CompanyFrame* open : CompanyFrame::GetOpen()) {
        if (open != &frame)
            previous = open;
    }
    if (!previous) {
        frame.CentreOnScreen(wxBOTH);
        return;
    }
    const int display = wxDisplay::GetFromWindow(previous);
    const wxRect area =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned int>(display)).GetClientArea();
    wxPoint position = previous->GetPosition() + kCascadeStep;
    if (position.x + frame.GetSize().GetWidth() > area.GetRight() + 1)
        position.x = area.GetLeft();
    if (position.y + frame.GetSize().GetHeight() > area.GetBottom() + 1)
        position.y = area.GetTop();
    frame.Move(position);
}

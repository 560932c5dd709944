#include "app/ScreenFit.h"

#include <algorithm>

#include <wx/display.h>
#include <wx/toplevel.h>

wxRect ScreenFit::Within(const wxRect& wanted, const wxRect& area)
{
    wxRect fitted(wanted.GetPosition(),
                  wxSize(std::min(wanted.width, area.width), std::min(wanted.height, area.height)));
    fitted.x = std::max(area.x, std::min(fitted.x, area.GetRight() + 1 - fitted.width));
    fitted.y = std::max(area.y, std::min(fitted.y, area.GetBottom() + 1 - fitted.height));
    return fitted;
}

wxRect ScreenFit::AreaFor(const wxRect& wanted)
{
    const int display = wxDisplay::GetFromPoint(wanted.GetPosition() + wanted.GetSize() / 2);
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned int>(display))
        .GetClientArea();
}

void ScreenFit::Fit(wxTopLevelWindow* window)
{
    if (!window || window->IsMaximized() || window->IsFullScreen())
        return;
    const wxRect area = AreaFor(window->GetRect());
    // A minimum larger than the screen would make the toolkit undo the cut.
    const wxSize minimum = window->GetMinSize();
    if (minimum.x > area.width || minimum.y > area.height)
        window->SetMinSize(
            wxSize(std::min(minimum.x, area.width), std::min(minimum.y, area.height)));
    const wxRect fitted = Within(window->GetRect(), area);
    if (fitted != window->GetRect())
        window->SetSize(fitted);
}

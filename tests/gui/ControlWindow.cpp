#include "gui/ControlWindow.h"

#include <wx/app.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "ui/UiTestSupport.h"

ControlWindow::ControlWindow()
{
    frame = new wxFrame(nullptr, wxID_ANY, "ControlWindow", wxDefaultPosition, wxSize(420, 360));
    panel = new wxPanel(frame);
    sizer = new wxBoxSizer(wxVERTICAL);
    panel->SetSizer(sizer);
    frame->Show();
    frame->Raise();
    WaitUntil([this] { return frame->IsShownOnScreen(); });
}

ControlWindow::~ControlWindow()
{
    DestroyNow(frame);
}

bool ControlWindow::Click(wxWindow* window, const wxPoint& offset)
{
    // Without a window manager a click activates no top-level window, so the focus is given
    // first; the click then lands as a user's would.
    window->SetFocus();
    Settle();
    const wxRect rect = window->GetScreenRect();
    user.MouseMove(rect.GetLeftTop() + wxPoint(offset.x, rect.height / 2 + offset.y));
    Settle();
    user.MouseClick();
    Flush();
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == window || window->IsDescendant(const_cast<wxWindow*>(focus)));
}

void ControlWindow::Type(const char* text)
{
    user.Text(text);
    Flush();
}

void ControlWindow::Key(int keycode, int modifiers)
{
    user.Char(keycode, modifiers);
    Flush();
}

bool ControlWindow::WaitUntil(const std::function<bool()>& condition)
{
    wxStopWatch watch;
    while (!condition()) {
        if (watch.Time() > 2000)
            return false;
        Settle();
        wxMilliSleep(5);
    }
    return true;
}

void ControlWindow::Flush()
{
    wxStopWatch watch;
    while (watch.Time() < 60) {
        Settle();
        wxMilliSleep(5);
    }
}

#include "lib/gui/ControlWindow.h"
#include "GuiTestSupport.h"

#include <cstring>

#include <wx/app.h>
#include <wx/utils.h>

#include "ui/UiTestSupport.h"

ControlWindow::ControlWindow()
{
    frame = new wxFrame(nullptr, wxID_ANY, "ControlWindow", wxDefaultPosition, wxSize(420, 360));
    panel = new wxPanel(frame);
    sizer = new wxBoxSizer(wxVERTICAL);
    panel->SetSizer(sizer);
    wxEvtHandler::AddFilter(this);
    frame->Show();
    frame->Raise();
    WaitFor("the test window on screen", [this] { return frame->IsShownOnScreen(); });
}

ControlWindow::~ControlWindow()
{
    wxEvtHandler::RemoveFilter(this);
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
    WaitForReleases(keysReleased, buttonsReleased + 1);
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == window || window->IsDescendant(const_cast<wxWindow*>(focus)));
}

void ControlWindow::Type(const char* text)
{
    const int expected = keysReleased + static_cast<int>(strlen(text));
    user.Text(text);
    WaitForReleases(expected, buttonsReleased);
}

void ControlWindow::Key(int keycode, int modifiers)
{
    const int expected = keysReleased + 1;
    user.Char(keycode, modifiers);
    WaitForReleases(expected, buttonsReleased);
}

void ControlWindow::Hold(int keycode, int modifiers)
{
    const int expected = keysPressed + 1;
    user.KeyDown(keycode, modifiers);
    WaitFor("the key pressed", [&] { return keysPressed >= expected; });
    Settle();
}

void ControlWindow::Release(int keycode, int modifiers)
{
    const int expected = keysReleased + 1;
    user.KeyUp(keycode, modifiers);
    WaitForReleases(expected, buttonsReleased);
}

void ControlWindow::Flush()
{
    RunEventsFor(60);
}

int ControlWindow::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_UP)
        ++buttonsReleased;
    if (type != wxEVT_KEY_DOWN && type != wxEVT_KEY_UP)
        return Event_Skip;
    // Modifiers come with some characters only ("+" needs Shift); they are not counted.
    const int keycode = static_cast<wxKeyEvent&>(event).GetKeyCode();
    if (keycode == WXK_SHIFT || keycode == WXK_CONTROL || keycode == WXK_ALT)
        return Event_Skip;
    ++(type == wxEVT_KEY_DOWN ? keysPressed : keysReleased);
    return Event_Skip;
}

void ControlWindow::WaitForReleases(int keys, int buttons)
{
    WaitFor("the keys and buttons released",
            [&] { return keysReleased >= keys && buttonsReleased >= buttons; });
    Settle();
}

// A shown frame for driving input controls as a user does: real clicks and keystrokes through
// the X server. Without a window manager a window receives keys only after a click into it.
#pragma once

#include <functional>

#include <wx/eventfilter.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

class ControlWindow : private wxEventFilter {
public:
    ControlWindow();
    ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    // Lays the control (a child of the panel) out below the others and returns it.
    template <class Control>
    Control* Add(Control* control)
    {
        sizer->Add(control, 0, wxEXPAND | wxALL, 4);
        panel->Layout();
        return control;
    }

    // Clicks into the window near its left edge; false when it has not got the focus.
    bool Click(wxWindow* window, const wxPoint& offset = wxPoint(8, 0));
    // Types the text, or one key with modifiers, and waits until the toolkit has handled it.
    void Type(const char* text);
    void Key(int keycode, int modifiers = wxMOD_NONE);
    // Presses the key with the modifiers and keeps them down; releases them again.
    void Hold(int keycode, int modifiers);
    void Release(int keycode, int modifiers);
    // Lets the toolkit handle the input still on its way from the X server.
    static void Flush();

    wxFrame* frame;
    wxPanel* panel;
    wxUIActionSimulator user;

private:
    // Counts the key presses and the key and button releases that reach the program.
    int FilterEvent(wxEvent& event) override;
    // Waits until the releases counted reach the numbers given.
    void WaitForReleases(int keys, int buttons);

    wxBoxSizer* sizer;
    int keysPressed = 0;
    int keysReleased = 0;
    int buttonsReleased = 0;
};

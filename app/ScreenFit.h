// Keeps top-level windows within the screen they open on: a window larger than the screen's
// free area (the screen without the desktop's panels) is cut to it, and one reaching past an
// edge is moved back, so that its title bar and its buttons stay within reach. Holds nothing.
#pragma once

#include <wx/gdicmn.h>

class wxTopLevelWindow;

class ScreenFit {
public:
    // The rectangle cut to the area's size where it is larger, then moved into the area.
    static wxRect Within(const wxRect& wanted, const wxRect& area);
    // The free area of the display showing the rectangle's centre; the first display's when
    // none does.
    static wxRect AreaFor(const wxRect& wanted);
    // Fits the window and its minimum size to the free area of its display. A maximised or
    // full-screen window is the window manager's to place.
    static void Fit(wxTopLevelWindow* window);
};

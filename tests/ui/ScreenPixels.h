// Reads what the X server shows, without the toolkit (whose screen device context hands back
// stale contents under GTK 3). Kept apart because Xlib's macros clash with the toolkit's names.
#pragma once

// How many pixels of the screen rectangle differ from its most common colour: 0 for a blank
// area, many for text. -1 when the display or the rectangle cannot be read. *common, when
// given, gets that colour.
int CountPixelsOffTheCommonColour(int x, int y, int width, int height,
                                  unsigned long* common = nullptr);

// Whether a window manager runs on the display (it has announced itself on the root window).
bool WindowManagerRuns();
// Lets the keyboard follow the pointer again, as on a bare display; a window manager that
// ends leaves the focus nowhere.
void FocusFollowsPointer();
// Where the X server shows the top-level X window: the left top corner of the window
// manager's frame around it, or of the window itself without one. False when there is no such
// window; *framed tells whether a window manager has framed it.
bool TopLevelPlace(unsigned long window, int* x, int* y, bool* framed);

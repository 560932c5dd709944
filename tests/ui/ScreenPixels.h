// Reads what the X server shows, without the toolkit (whose screen device context hands back
// stale contents under GTK 3). Kept apart because Xlib's macros clash with the toolkit's names.
#pragma once

// How many pixels of the screen rectangle differ from its most common colour: 0 for a blank
// area, many for text. -1 when the display or the rectangle cannot be read.
int CountPixelsOffTheCommonColour(int x, int y, int width, int height);

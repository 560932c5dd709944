#include "ui/ScreenPixels.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

int CountPixelsOffTheCommonColour(int x, int y, int width, int height, unsigned long* common)
{
    if (width <= 0 || height <= 0)
        return -1;
    std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display)
        return -1;
    auto destroy = [](XImage* image) { XDestroyImage(image); };
    std::unique_ptr<XImage, decltype(destroy)> image(
        XGetImage(display.get(), DefaultRootWindow(display.get()), x, y,
                  static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap),
        destroy);
    if (!image)
        return -1;
    std::map<unsigned long, int> counts;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column)
            ++counts[XGetPixel(image.get(), column, row)];
    }
    std::pair<unsigned long, int> mostCommon(0, 0);
    for (const auto& entry : counts)
        if (entry.second > mostCommon.second)
            mostCommon = entry;
    if (common)
        *common = mostCommon.first;  // 0xRRGGBB on the tests' 24-bit screen
    return width * height - mostCommon.second;
}

namespace {

using DisplayPtr = std::unique_ptr<Display, int (*)(Display*)>;

DisplayPtr OpenDisplay()
{
    return DisplayPtr(XOpenDisplay(nullptr), XCloseDisplay);
}

// The window of that title at or below the given one; 0 when none.
}  // namespace

namespace {

int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

// The window the property on the window names, 0 for none.
Window SupportingWindow(Display* display, Window window, Atom check)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &items,
                           &left, &data) == Success &&
        items == 1 && format == 32)
        named = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return named;
}

}  // namespace

bool WindowManagerRuns()
{
    DisplayPtr display = OpenDisplay();
    if (!display)
        return false;
    const Atom check = XInternAtom(display.get(), "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    const Window supporting =
        SupportingWindow(display.get(), DefaultRootWindow(display.get()), check);
    if (!supporting)
        return false;
    // A window manager that ended leaves the root's property behind; a running one keeps the
    // window it names, which names itself.
    const XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
    const bool alive = SupportingWindow(display.get(), supporting, check) == supporting;
    XSync(display.get(), False);
    XSetErrorHandler(previous);
    return alive;
}

void FocusFollowsPointer()
{
    DisplayPtr display = OpenDisplay();
    if (!display)
        return;
    XSetInputFocus(display.get(), PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(display.get(), False);
}

bool TopLevelPlace(unsigned long window, int* x, int* y, bool* framed)
{
    DisplayPtr display = OpenDisplay();
    if (!display || !window)
        return false;
    const Window root = DefaultRootWindow(display.get());
    // Up to the child of the root window: the window manager's frame, when there is one.
    *framed = false;
    for (;;) {
        Window top = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display.get(), window, &top, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        if (parent == root)
            break;
        window = parent;
        *framed = true;
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display.get(), window, &attributes))
        return false;
    *x = attributes.x;
    *y = attributes.y;
    return true;
}

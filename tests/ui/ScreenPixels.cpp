#include "ui/ScreenPixels.h"

#include <algorithm>
#include <map>
#include <memory>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

int CountPixelsOffTheCommonColour(int x, int y, int width, int height)
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
    int mostCommon = 0;
    for (const auto& entry : counts)
        mostCommon = std::max(mostCommon, entry.second);
    return width * height - mostCommon;
}

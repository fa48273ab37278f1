#include "XRootWindow.h"

#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

DisplayPtr Open(const QString& display) {
    return DisplayPtr(XOpenDisplay(display.toLocal8Bit().constData()));
}

int ChannelShift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int Channel(unsigned long pixel, unsigned long mask) {
    const unsigned long max = mask >> ChannelShift(mask);
    return int(((pixel & mask) >> ChannelShift(mask)) * 255 / max);
}

bool s_failed = false;
int RecordError(Display*, XErrorEvent*) {
    s_failed = true;
    return 0;
}

} // namespace

QImage GrabRootWindow(const QString& display) {
    DisplayPtr dpy = Open(display);
    if (!dpy)
        return {};
    const int screen = DefaultScreen(dpy.get());
    const int width = DisplayWidth(dpy.get(), screen);
    const int height = DisplayHeight(dpy.get(), screen);
    XImage* ximage = XGetImage(dpy.get(), RootWindow(dpy.get(), screen), 0, 0, width, height,
                               AllPlanes, ZPixmap);
    if (!ximage)
        return {};
    const Visual* visual = DefaultVisual(dpy.get(), screen);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(ximage, x, y);
            line[x] = qRgb(Channel(pixel, visual->red_mask), Channel(pixel, visual->green_mask),
                           Channel(pixel, visual->blue_mask));
        }
    }
    XDestroyImage(ximage);
    return image;
}

std::optional<unsigned long> RootPixmapProperty(const QString& display, const char* property) {
    DisplayPtr dpy = Open(display);
    if (!dpy)
        return std::nullopt;
    const Atom atom = XInternAtom(dpy.get(), property, True);
    if (atom == None)
        return std::nullopt;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<unsigned long> pixmap;
    if (XGetWindowProperty(dpy.get(), DefaultRootWindow(dpy.get()), atom, 0, 1, False, XA_PIXMAP,
                           &type, &format, &count, &after, &data) == Success &&
        type == XA_PIXMAP && count == 1 && data)
        pixmap = *reinterpret_cast<Pixmap*>(data);
    if (data)
        XFree(data);
    return pixmap;
}

bool PixmapExists(const QString& display, unsigned long pixmap) {
    DisplayPtr dpy = Open(display);
    if (!dpy)
        return false;
    s_failed = false;
    const XErrorHandler previous = XSetErrorHandler(&RecordError);
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    const Status status =
        XGetGeometry(dpy.get(), pixmap, &root, &x, &y, &width, &height, &border, &depth);
    XSync(dpy.get(), False);
    XSetErrorHandler(previous);
    return status != 0 && !s_failed;
}

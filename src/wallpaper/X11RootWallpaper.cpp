#include "wallpaper/X11RootWallpaper.h"

#include "wallpaper/EDesktopWallpaperError.h"

#include <QPainter>
#include <QSysInfo>
#include <cstring>
#include <memory>
#include <optional>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Xlib's default error handler ends the process; this one records the error
// instead, for the life of the object.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : m_display(display) {
        s_error.reset();
        m_previous = XSetErrorHandler(&XErrorTrap::handle);
    }
    ~XErrorTrap() {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // The first error since the last call, after all requests have been answered.
    std::optional<unsigned char> take() {
        XSync(m_display, False);
        auto error = s_error;
        s_error.reset();
        return error;
    }

private:
    static int handle(Display*, XErrorEvent* event) {
        if (!s_error)
            s_error = event->error_code;
        return 0;
    }

    static inline std::optional<unsigned char> s_error;
    Display* m_display;
    XErrorHandler m_previous = nullptr;
};

// An XImage whose pixels we own; Xlib must not free them.
struct XImageDeleter {
    void operator()(XImage* image) const {
        image->data = nullptr;
        XDestroyImage(image);
    }
};
using XImagePtr = std::unique_ptr<XImage, XImageDeleter>;

int Shift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

unsigned long ScaleChannel(int value, unsigned long mask) {
    const unsigned long max = mask >> Shift(mask);
    return ((static_cast<unsigned long>(value) * max + 127) / 255) << Shift(mask);
}

[[noreturn]] void Fail(const QString& what) {
    throw EDesktopWallpaperError(what);
}

// The root image in the server's pixel layout; pixels live in storage.
XImagePtr MakeXImage(Display* display, Visual* visual, int depth, const QImage& image,
                     QByteArray& storage) {
    const int width = image.width();
    const int height = image.height();
    XImagePtr ximage(
        XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, width, height, 32, 0));
    if (!ximage)
        Fail(QStringLiteral("the X server's pixel format is not supported"));
    storage.resize(qsizetype(ximage->bytes_per_line) * height);
    ximage->data = storage.data();
    const bool native =
        ximage->bits_per_pixel == 32 && visual->red_mask == 0xff0000 &&
        visual->green_mask == 0xff00 && visual->blue_mask == 0xff &&
        ximage->byte_order == (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? LSBFirst : MSBFirst);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (native) {
            std::memcpy(storage.data() + qsizetype(ximage->bytes_per_line) * y, line,
                        size_t(width) * 4);
            continue;
        }
        for (int x = 0; x < width; ++x)
            XPutPixel(ximage.get(), x, y,
                      ScaleChannel(qRed(line[x]), visual->red_mask) |
                          ScaleChannel(qGreen(line[x]), visual->green_mask) |
                          ScaleChannel(qBlue(line[x]), visual->blue_mask));
    }
    return ximage;
}

std::optional<Pixmap> PixmapProperty(Display* display, Window root, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<Pixmap> pixmap;
    if (XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                           &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && count == 1 && data)
        pixmap = *reinterpret_cast<Pixmap*>(data);
    if (data)
        XFree(data);
    return pixmap;
}

} // namespace

QImage ComposeRootImage(const QImage& picture, QSize rootSize, bool tile) {
    QImage root(rootSize, QImage::Format_RGB32);
    root.fill(Qt::black);
    QPainter painter(&root);
    if (tile) {
        // A texture brush starts its pattern at the origin.
        painter.fillRect(root.rect(), QBrush(picture));
    } else {
        painter.drawImage((root.width() - picture.width()) / 2,
                          (root.height() - picture.height()) / 2, picture);
    }
    return root;
}

void SetX11RootWallpaper(const QString& file, bool tile, const QByteArray& displayName) {
    const QImage picture = QImage(file).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        Fail(QStringLiteral("cannot read the picture %1").arg(file));

    DisplayPtr display(XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData()));
    if (!display)
        Fail(QStringLiteral("cannot open the X display \"%1\"")
                 .arg(QString::fromLocal8Bit(displayName.isEmpty() ? qgetenv("DISPLAY")
                                                                   : displayName)));
    Display* dpy = display.get();
    XErrorTrap trap(dpy);
    const int screen = DefaultScreen(dpy);
    const Window root = RootWindow(dpy, screen);
    const int depth = DefaultDepth(dpy, screen);
    Visual* visual = DefaultVisual(dpy, screen);
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
        Fail(QStringLiteral("the X server's root visual has no true colours"));

    const QImage image = ComposeRootImage(
        picture, QSize(DisplayWidth(dpy, screen), DisplayHeight(dpy, screen)), tile);
    QByteArray storage;
    XImagePtr ximage = MakeXImage(dpy, visual, depth, image, storage);

    const Pixmap pixmap = XCreatePixmap(dpy, root, image.width(), image.height(), depth);
    GC gc = XCreateGC(dpy, pixmap, 0, nullptr);
    XPutImage(dpy, pixmap, gc, ximage.get(), 0, 0, 0, 0, image.width(), image.height());
    XFreeGC(dpy, gc);
    if (trap.take())
        Fail(QStringLiteral("the X server refused the wallpaper pixmap"));

    // The pixmap a previous root setter retained is freed by ending its client,
    // but only when it is still the published one.
    const Atom rootPixmapId = XInternAtom(dpy, "_XROOTPMAP_ID", False);
    const Atom esetrootPixmapId = XInternAtom(dpy, "ESETROOT_PMAP_ID", False);
    const auto published = PixmapProperty(dpy, root, rootPixmapId);
    const auto retained = PixmapProperty(dpy, root, esetrootPixmapId);
    if (published && retained && *published == *retained)
        XKillClient(dpy, *published);
    trap.take(); // a stale id is no error of ours

    XSetWindowBackgroundPixmap(dpy, root, pixmap);
    XClearWindow(dpy, root);
    for (const Atom property : {rootPixmapId, esetrootPixmapId})
        XChangeProperty(dpy, root, property, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
    if (trap.take())
        Fail(QStringLiteral("the X server refused the root window's background"));
    XSetCloseDownMode(dpy, RetainPermanent);
}

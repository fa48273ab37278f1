#pragma once

#include <QImage>
#include <QString>
#include <optional>

// Looks at the root window of an X display (":N") the way other programs
// would see the desktop picture.

// The root window's pixels as RGB32, or a null image when the display cannot be opened.
QImage GrabRootWindow(const QString& display);

// The pixmap id held by a root window property such as "_XROOTPMAP_ID".
std::optional<unsigned long> RootPixmapProperty(const QString& display, const char* property);

// Whether a pixmap with that id still exists on the server.
bool PixmapExists(const QString& display, unsigned long pixmap);

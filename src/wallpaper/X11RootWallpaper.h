#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The root window's picture: the picture on black, centred (cut at the
// edges when it is larger) or tiled from the top-left corner.
QImage ComposeRootImage(const QImage& picture, QSize rootSize, bool tile);

// Paints the picture file on the root window of an X display (empty: $DISPLAY)
// and publishes the pixmap in _XROOTPMAP_ID and ESETROOT_PMAP_ID, the way
// root-setting tools do, so that terminals and docks see it. The pixmap
// outlives this program; the one a previous run left behind is freed. Raises
// EDesktopWallpaperError on failure.
void SetX11RootWallpaper(const QString& file, bool tile, const QByteArray& displayName = {});

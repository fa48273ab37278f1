#pragma once

#include "wallpaper/EDesktopWallpaperError.h"

#include <QString>

// Makes the bitmap file the desktop wallpaper, centred or tiled, through the
// backend of the running desktop (or the one DAYGLASS_WALLPAPER_BACKEND
// forces). Raises EDesktopWallpaperError when no desktop is recognised or the
// desktop refuses.
void SetDesktopWallpaper(const QString& file, bool tile);

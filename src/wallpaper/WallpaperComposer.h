#pragma once

#include "wallpaper/WallpaperHost.h"
#include "wallpaper/WallpaperRandom.h"

#include <QString>

// Turns a downloaded picture into the desktop wallpaper in the chosen style.
// The main window keeps one composer for the life of the program, so the
// random placements follow one sequence per run.
class WallpaperComposer {
public:
    explicit WallpaperComposer(WallpaperHost& host) : m_host(host) {}

    // Composes "DGLS_WP.bmp" from the picture and makes it the wallpaper;
    // with newPicture, marks that a new wallpaper was set. Every failure is
    // swallowed; the previous composed file then stays as it was.
    void SetImageAsWP(const QString& fileName, bool newPicture);

    // The composed wallpaper file in the fixed per-user folder.
    static QString ComposedWallpaperFileName();

private:
    void Compose(const QString& fileName, const QString& target, const QString& composed,
                 WallpaperStyle style);

    WallpaperHost& m_host;
    WallpaperRandom m_random;
};

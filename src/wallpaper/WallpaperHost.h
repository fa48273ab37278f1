#pragma once

#include "wallpaper/TColor.h"

#include <QSize>
#include <QString>

class TIEFunctions;

// The wallpaper style radio buttons of the settings page.
enum class WallpaperStyle { Stretch, Center, Random, Tile };

// What wallpaper composition needs from the main window.
class WallpaperHost {
public:
    virtual ~WallpaperHost() = default;

    // The style whose radio button is chosen now.
    virtual WallpaperStyle ChosenWallpaperStyle() const = 0;
    // 0 no custom background, 1 colour gradient, 2 texture.
    virtual int BackgroundStyle() const = 0;
    // The gradient's top colour.
    virtual TColor BackgroundColor1() const = 0;
    // The gradient's bottom colour.
    virtual TColor BackgroundColor2() const = 0;
    // The texture file's full path, possibly empty.
    virtual QString BackgroundFilename() const = 0;
    // The primary screen's size in device pixels, read afresh on each call.
    virtual QSize ScreenSize() const = 0;
    // Sets NewWallpaperSet to true.
    virtual void SetNewWallpaperSet() = 0;
    // The main window's image functions component.
    virtual TIEFunctions& IEFunc() = 0;
    // Hands the composed file to the desktop (SetDesktopWallpaper in the
    // program); may raise EDesktopWallpaperError.
    virtual void SetDesktopWallpaper(const QString& file, bool tile) = 0;
};

#pragma once

#include <QString>
#include <stdexcept>

// Raised when a desktop refuses the wallpaper or cannot be reached; wallpaper
// composition catches it.
class EDesktopWallpaperError : public std::runtime_error {
public:
    explicit EDesktopWallpaperError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};

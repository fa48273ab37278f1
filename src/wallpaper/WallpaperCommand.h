#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One external program run with an argument list (no shell).
struct WallpaperCommand {
    QString program;
    QStringList arguments;

    bool operator==(const WallpaperCommand&) const = default;
};

// How long one desktop tool may take before it counts as hung.
inline constexpr int WallpaperCommandTimeoutMs = 10000;

// Runs the command and returns its standard output. Raises EDesktopWallpaperError
// when the program is missing, does not finish in time, crashes or exits non-zero.
QByteArray RunWallpaperCommand(const WallpaperCommand& command,
                               int timeoutMs = WallpaperCommandTimeoutMs);

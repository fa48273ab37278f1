#pragma once

#include <QString>
#include <optional>

// The desktops whose wallpaper setting we know how to write.
enum class WallpaperBackend { Gnome, Kde, Xfce, Cinnamon, Mate, Lxqt, Lxde, Sway, X11, None };

// The environment variable that forces one backend (or "none").
inline constexpr char WallpaperBackendVariable[] = "DAYGLASS_WALLPAPER_BACKEND";

// What the choice looks at; each member is the value of the variable of that name.
struct WallpaperEnvironment {
    QString forced;         // DAYGLASS_WALLPAPER_BACKEND
    QString currentDesktop; // XDG_CURRENT_DESKTOP, a ":"-separated list
    QString desktopSession; // DESKTOP_SESSION
    QString swaySocket;     // SWAYSOCK
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString x11Display;     // DISPLAY
};

// The environment of this process.
WallpaperEnvironment CurrentWallpaperEnvironment();

// The backend's name as the variable spells it ("gnome", "kde", ..., "none").
QString WallpaperBackendName(WallpaperBackend backend);
std::optional<WallpaperBackend> WallpaperBackendFromName(const QString& name);

struct WallpaperBackendChoice {
    std::optional<WallpaperBackend> backend; // nothing when no desktop could be recognised
    QString problem;                         // why not, for the error text
};

// The forced backend if any, else the first recognised desktop of
// XDG_CURRENT_DESKTOP, then DESKTOP_SESSION, then a sway socket, then a bare
// X server (DISPLAY without WAYLAND_DISPLAY).
WallpaperBackendChoice ChooseWallpaperBackend(const WallpaperEnvironment& env);

#include "wallpaper/WallpaperBackendChoice.h"

#include <QStringList>
#include <QtGlobal>
#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<WallpaperBackend, const char*>, 10> BackendNames{{
    {WallpaperBackend::Gnome, "gnome"},
    {WallpaperBackend::Kde, "kde"},
    {WallpaperBackend::Xfce, "xfce"},
    {WallpaperBackend::Cinnamon, "cinnamon"},
    {WallpaperBackend::Mate, "mate"},
    {WallpaperBackend::Lxqt, "lxqt"},
    {WallpaperBackend::Lxde, "lxde"},
    {WallpaperBackend::Sway, "sway"},
    {WallpaperBackend::X11, "x11"},
    {WallpaperBackend::None, "none"},
}};

// Desktop names as sessions report them (lower case). GNOME's relatives share
// its background schema.
constexpr std::array<std::pair<const char*, WallpaperBackend>, 22> DesktopNames{{
    {"gnome", WallpaperBackend::Gnome},
    {"gnome-classic", WallpaperBackend::Gnome},
    {"gnome-flashback", WallpaperBackend::Gnome},
    {"ubuntu", WallpaperBackend::Gnome},
    {"unity", WallpaperBackend::Gnome},
    {"budgie", WallpaperBackend::Gnome},
    {"budgie-desktop", WallpaperBackend::Gnome},
    {"pantheon", WallpaperBackend::Gnome},
    {"pop", WallpaperBackend::Gnome},
    {"kde", WallpaperBackend::Kde},
    {"plasma", WallpaperBackend::Kde},
    {"plasmawayland", WallpaperBackend::Kde},
    {"xfce", WallpaperBackend::Xfce},
    {"xubuntu", WallpaperBackend::Xfce},
    {"x-cinnamon", WallpaperBackend::Cinnamon},
    {"cinnamon", WallpaperBackend::Cinnamon},
    {"mate", WallpaperBackend::Mate},
    {"lxqt", WallpaperBackend::Lxqt},
    {"lxde", WallpaperBackend::Lxde},
    {"lubuntu", WallpaperBackend::Lxde},
    {"sway", WallpaperBackend::Sway},
    {"swaywm", WallpaperBackend::Sway},
}};

std::optional<WallpaperBackend> DesktopFromName(const QString& name) {
    const QString key = name.trimmed().toLower();
    for (const auto& [desktop, backend] : DesktopNames)
        if (key == QLatin1String(desktop))
            return backend;
    return std::nullopt;
}

} // namespace

WallpaperEnvironment CurrentWallpaperEnvironment() {
    return {
        qEnvironmentVariable(WallpaperBackendVariable), qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
        qEnvironmentVariable("DESKTOP_SESSION"),        qEnvironmentVariable("SWAYSOCK"),
        qEnvironmentVariable("WAYLAND_DISPLAY"),        qEnvironmentVariable("DISPLAY")};
}

QString WallpaperBackendName(WallpaperBackend backend) {
    for (const auto& [value, name] : BackendNames)
        if (value == backend)
            return QString::fromLatin1(name);
    return {};
}

std::optional<WallpaperBackend> WallpaperBackendFromName(const QString& name) {
    const QString key = name.trimmed().toLower();
    for (const auto& [value, text] : BackendNames)
        if (key == QLatin1String(text))
            return value;
    return std::nullopt;
}

WallpaperBackendChoice ChooseWallpaperBackend(const WallpaperEnvironment& env) {
    if (!env.forced.trimmed().isEmpty()) {
        if (auto backend = WallpaperBackendFromName(env.forced))
            return {backend, {}};
        return {std::nullopt, QStringLiteral("%1 names no known backend: \"%2\"")
                                  .arg(QLatin1String(WallpaperBackendVariable), env.forced)};
    }
    for (const QString& name : env.currentDesktop.split(':', Qt::SkipEmptyParts))
        if (auto backend = DesktopFromName(name))
            return {backend, {}};
    // DESKTOP_SESSION may be a path to the session file on some display managers.
    if (auto backend = DesktopFromName(env.desktopSession.section('/', -1)))
        return {backend, {}};
    if (!env.swaySocket.isEmpty())
        return {WallpaperBackend::Sway, {}};
    if (!env.x11Display.isEmpty() && env.waylandDisplay.isEmpty())
        return {WallpaperBackend::X11, {}};
    return {std::nullopt, QStringLiteral("no supported desktop found (XDG_CURRENT_DESKTOP \"%1\")")
                              .arg(env.currentDesktop)};
}

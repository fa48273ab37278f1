#include "wallpaper/WallpaperBackendChoice.h"

#include <gtest/gtest.h>

namespace {

using B = WallpaperBackend;

struct ChoiceCase {
    const char* name;
    WallpaperEnvironment env;
    std::optional<WallpaperBackend> expected;
};

class WallpaperBackendChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(WallpaperBackendChoiceTest, ChoosesTheDesktopsBackend) {
    const ChoiceCase& c = GetParam();
    const WallpaperBackendChoice choice = ChooseWallpaperBackend(c.env);
    EXPECT_EQ(choice.backend, c.expected);
    EXPECT_EQ(choice.problem.isEmpty(), c.expected.has_value()) << choice.problem.toStdString();
}

// forced, XDG_CURRENT_DESKTOP, DESKTOP_SESSION, SWAYSOCK, WAYLAND_DISPLAY, DISPLAY
const ChoiceCase Cases[] = {
    {"Gnome", {"", "GNOME", "", "", "wayland-0", ""}, B::Gnome},
    {"UbuntuGnome", {"", "ubuntu:GNOME", "ubuntu", "", "wayland-0", ":0"}, B::Gnome},
    {"GnomeFlashback", {"", "GNOME-Flashback:GNOME", "", "", "", ":0"}, B::Gnome},
    {"Unity", {"", "Unity", "", "", "", ":0"}, B::Gnome},
    {"Budgie", {"", "Budgie:GNOME", "", "", "", ":0"}, B::Gnome},
    {"Pantheon", {"", "Pantheon", "", "", "", ":0"}, B::Gnome},
    {"Kde", {"", "KDE", "plasma", "", "wayland-0", ":1"}, B::Kde},
    {"Xfce", {"", "XFCE", "xfce", "", "", ":0"}, B::Xfce},
    {"Cinnamon", {"", "X-Cinnamon", "cinnamon", "", "", ":0"}, B::Cinnamon},
    {"Mate", {"", "MATE", "mate", "", "", ":0"}, B::Mate},
    {"Lxqt", {"", "LXQt", "lxqt", "", "", ":0"}, B::Lxqt},
    {"Lxde", {"", "LXDE", "LXDE", "", "", ":0"}, B::Lxde},
    {"Sway", {"", "sway", "", "/run/user/1000/sway-ipc.sock", "wayland-1", ""}, B::Sway},
    {"LowerCaseDesktop", {"", "xfce", "", "", "", ":0"}, B::Xfce},
    {"FirstKnownNameWins", {"", "Foo:MATE:GNOME", "", "", "", ":0"}, B::Mate},
    {"SessionWhenDesktopUnknown", {"", "", "xubuntu", "", "", ":0"}, B::Xfce},
    {"SessionAsPath", {"", "", "/usr/share/xsessions/plasma", "", "", ":0"}, B::Kde},
    {"SwaySocketAlone", {"", "", "", "/run/user/1000/sway-ipc.sock", "wayland-1", ""}, B::Sway},
    {"BareXServer", {"", "", "", "", "", ":0"}, B::X11},
    {"UnknownWindowManagerOnX", {"", "i3", "i3", "", "", ":0"}, B::X11},
    {"UnknownWaylandCompositor", {"", "Hyprland", "", "", "wayland-1", ":0"}, std::nullopt},
    {"NoDisplayAtAll", {"", "", "", "", "", ""}, std::nullopt},
    {"ForcedNone", {"none", "GNOME", "", "", "", ":0"}, B::None},
    {"ForcedX11OverGnome", {"x11", "GNOME", "", "", "", ":0"}, B::X11},
    {"ForcedAnyCase", {" KDE ", "", "", "", "", ""}, B::Kde},
    {"ForcedEachName", {"lxde", "GNOME", "", "", "", ":0"}, B::Lxde},
    {"ForcedUnknownIsAnError", {"windows", "GNOME", "", "", "", ":0"}, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Desktops, WallpaperBackendChoiceTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WallpaperBackendNameTest, EveryBackendRoundTripsThroughItsName) {
    for (const B backend : {B::Gnome, B::Kde, B::Xfce, B::Cinnamon, B::Mate, B::Lxqt, B::Lxde,
                            B::Sway, B::X11, B::None}) {
        const QString name = WallpaperBackendName(backend);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(WallpaperBackendFromName(name), backend) << name.toStdString();
    }
}

TEST(WallpaperBackendChoiceProblemTest, AnUnknownForcedNameIsNamedInTheProblem) {
    const auto choice = ChooseWallpaperBackend({"windows", "", "", "", "", ""});
    EXPECT_TRUE(choice.problem.contains("DAYGLASS_WALLPAPER_BACKEND"));
    EXPECT_TRUE(choice.problem.contains("windows"));
}

} // namespace

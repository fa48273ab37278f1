#pragma once

#include "platform/Texts.h"

#include <QtGlobal>
#include <limits>

// Each setting of Settings.dat, declared once with its key, its default and,
// for the spin boxes, the range a stored value is brought into.
namespace SettingsKeys {

inline constexpr const char* kSection = "Settings";

struct IntegerKey {
    const char* key;
    int defaultValue;
    int min = std::numeric_limits<int>::min();
    int max = std::numeric_limits<int>::max();
    constexpr int clamp(int value) const { return qBound(min, value, max); }
};

struct BoolKey {
    const char* key;
    bool defaultValue;
};

struct ColourKey {
    const char* key;
    TColor defaultValue;
};

struct TextKey {
    const char* key;
};

inline constexpr IntegerKey BackgroundStyle{"BackgroundStyle", 0};
inline constexpr TextKey BackgroundFilename{"BackgroundFilename"};
inline constexpr ColourKey BackgroundColor1{"BackgroundColor1", RGBColour(0, 0, 0)};
inline constexpr ColourKey BackgroundColor2{"BackgroundColor2", RGBColour(64, 64, 64)};
inline constexpr IntegerKey MinXSize{"MinXSize", 130};
inline constexpr IntegerKey MinYSize{"MinYSize", 130};
inline constexpr IntegerKey MinFileSize{"MinFileSize", 12288};
inline constexpr IntegerKey CheckMethod{"CheckMethod", 1};
inline constexpr IntegerKey CheckTime{"CheckTime", 8, 1, 2400};
inline constexpr BoolKey DownloadFromAll{"DownloadFromAll", false};
inline constexpr BoolKey NoWallpaperChanging{"NoWallpaperChanging", false};
inline constexpr BoolKey OnlyFirstFile{"OnlyFirstFile", true};
inline constexpr BoolKey TrayIcon{"TrayIcon", true};
inline constexpr BoolKey OnlyRecent{"OnlyRecent", true};
inline constexpr IntegerKey KeepImage{"KeepImage", 50, 1, 1000000};
inline constexpr BoolKey ActiveNetConnection{"ActiveNetConnection", true};
inline constexpr TextKey SaveFolder{"SaveFolder"};
inline constexpr BoolKey StretchWP{"StretchWP", false};
inline constexpr BoolKey CenterWP{"CenterWP", true};
inline constexpr BoolKey TileWP{"TileWP", false};
inline constexpr BoolKey RandomWP{"RandomWP", false};
inline constexpr IntegerKey CurrentSite{"CurrentSite", -1};

} // namespace SettingsKeys

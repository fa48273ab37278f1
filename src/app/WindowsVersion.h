#pragma once

// The operating system's version code 0 to 8; this system is never one of
// the listed Windows versions, so it is always 8 ("not recognised").
constexpr int GetWindowsVersion() {
    return 8;
}

// Codes 0 to 4 are the systems that want the 16-colour icon set.
constexpr bool WantsLowColourIcons(int versionCode) {
    return versionCode >= 0 && versionCode <= 4;
}

#include "wallpaper/DesktopWallpaper.h"

#include "wallpaper/WallpaperBackendChoice.h"
#include "wallpaper/WallpaperBackends.h"

void SetDesktopWallpaper(const QString& file, bool tile) {
    const WallpaperBackendChoice choice = ChooseWallpaperBackend(CurrentWallpaperEnvironment());
    if (!choice.backend)
        throw EDesktopWallpaperError(choice.problem);
    ApplyWallpaperBackend(*choice.backend, file, tile);
}

#include "wallpaper/WallpaperRandom.h"

int WallpaperRandom::Draw(int range) {
    m_state = m_state * 134775813u + 1u;
    const quint64 magnitude = range < 0 ? quint64(-qint64(range)) : quint64(range);
    const int value = int((quint64(m_state) * magnitude) >> 32);
    return range < 0 ? -value : value;
}

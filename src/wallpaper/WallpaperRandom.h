#pragma once

#include <QtGlobal>

// The placement generator of the random style: a 32-bit linear congruential
// generator starting from 0 and never reseeded, so every run places its
// pictures in the same sequence of positions.
class WallpaperRandom {
public:
    // For range > 0 a value in [0, range), for 0 the value 0, and for a
    // negative range a value in (range, 0]. Every draw advances the state.
    int Draw(int range);

    quint32 State() const { return m_state; }

private:
    quint32 m_state = 0;
};

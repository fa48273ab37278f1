#pragma once

#include <QtGlobal>

// Pictures beyond this many pixels are refused before decoding, so that a
// hostile or absurd file cannot exhaust memory.
inline constexpr qint64 MaxImagePixels = 100'000'000;

// Working memory a single decode may take, bitmap included.
inline constexpr qint64 MaxDecodeBytes = qint64(1) << 30;

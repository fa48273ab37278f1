#pragma once

#include <QString>
#include <QtGlobal>

// A colour with red in the lowest byte, then green, then blue (0x00BBGGRR).
using TColor = quint32;

constexpr TColor RGBColour(int red, int green, int blue) {
    return TColor(red & 0xFF) | (TColor(green & 0xFF) << 8) | (TColor(blue & 0xFF) << 16);
}

// The first count characters, or the whole text when it is shorter.
QString LeftChars(const QString& text, qsizetype count);

QString BoolToText(bool value);

// "TRUE"/"YES" (any case) and "-1" are true, "FALSE"/"NO" (any case) and "0"
// are false; anything else gives the default.
bool TextToBool(const QString& text, bool defaultValue);

// A 32-bit integer in decimal, or hexadecimal after "$" or "0x"; anything
// else, out-of-range values included, gives the default.
int TextToInteger(const QString& text, int defaultValue);

// A colour name in any letter case or an integer text; else the default.
TColor TextToColour(const QString& text, TColor defaultValue);

// The colour's name when it has one, else "$" and eight hexadecimal digits.
QString ColourToText(TColor colour);

// Whether part occurs in text, comparing the letters a to z without regard
// to case and every other character exactly.
bool ContainsText(const QString& part, const QString& text);

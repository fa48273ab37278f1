#pragma once

#include <QRgb>
#include <QtGlobal>

// A colour as the settings store it: 0x00BBGGRR, red in the lowest byte.
using TColor = quint32;

inline QRgb TColorToRgb(TColor colour) {
    return qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

inline TColor RgbToTColor(QRgb rgb) {
    return TColor(qRed(rgb)) | (TColor(qGreen(rgb)) << 8) | (TColor(qBlue(rgb)) << 16);
}

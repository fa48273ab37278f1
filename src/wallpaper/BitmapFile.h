#pragma once

#include <QImage>
#include <QString>

// Writes the image as an uncompressed 24-bit Windows bitmap (BITMAPINFOHEADER,
// bottom-up rows padded to four bytes). The old file is replaced only once
// the new one is complete; an existing file that is not writable is left
// alone and the write fails. On failure error says why.
bool WriteBitmapFile(const QImage& image, const QString& fileName, QString& error);

#pragma once

#include <QImage>
#include <QString>

// The divisor a sized load decodes at: the largest of 8, 4 and 2 for which
// the stored size divided by it (rounded down) still covers the target, else 1.
int JpegScaleDivisor(int storedWidth, int storedHeight, int targetWidth, int targetHeight);

// Decodes a JPEG file into a Format_RGB32 image with libjpeg-turbo, scaled in
// the decoder by JpegScaleDivisor when the target is given (both above 1),
// at full size otherwise. Refuses pictures beyond the pixel cap before
// decoding; a damaged or truncated file fails. On failure the image is null
// and error says why.
QImage LoadJpegFile(const QString& fileName, int targetWidth, int targetHeight, QString& error);
